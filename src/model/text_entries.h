// Language entries of the program's own texts, beyond the ones the original
// design numbers (0 to 299). Each block of 300..499 belongs to one area so
// that additions never collide:
//   300-319  notification-area icon and menu (tooltip, start at login)
//   320-339  macro recording and upload
//   340-419  the window's messages: file and library problems, profile
//            import and export, access to the mouse, the link and support
//            texts, the names of profiles in messages
//   420-439  files changed on disk while the program runs, and why files of
//            the data folder were kept and replaced
//   440-469  what the start found wrong in config.ini and the macro library,
//            and files kept together in one line of 420 or 421
//   470-499  free
// Every entry named here must be in every shipped language (assets/lang);
// tools/check_language.py checks that, and that the window passes no
// literal English sentence to a control.
#pragma once

#include <cstdint>

namespace velmaro::text {

// Start at login could not be turned on or off: the entry's file or folder,
// the system's reason.
inline constexpr uint16_t kAutostartNotRemoved = 305;  // file, reason
inline constexpr uint16_t kAutostartNoFolder = 306;    // folder

// Macros the mouse cannot play: buttons, profile.
inline constexpr uint16_t kMacroNotSent = 323;
inline constexpr uint16_t kMacrosNotSent = 324;

// Names of profiles and lists in messages.
inline constexpr uint16_t kProfileNumbered = 340;  // "Profile %1"
inline constexpr uint16_t kQuoted = 341;           // a name in quotes
inline constexpr uint16_t kListComma = 342;        // ", " between items of a list
inline constexpr uint16_t kListAnd = 343;          // " and " before its last item

// The macro library did not load completely and buttons keep their macros.
inline constexpr uint16_t kLibraryKeepsOne = 350;
inline constexpr uint16_t kLibraryKeepsMany = 351;
inline constexpr uint16_t kLibraryFirstLines = 352;
inline constexpr uint16_t kLibraryItemsTooMany = 353;
inline constexpr uint16_t kLibraryCutShort = 354;
inline constexpr uint16_t kLibraryRepaired = 355;
// As 350 and 351, when the library's values had to be repaired.
inline constexpr uint16_t kLibraryKeepsOneRepaired = 356;
inline constexpr uint16_t kLibraryKeepsManyRepaired = 357;

// Why a file could not be read.
inline constexpr uint16_t kFileNotNamed = 360;
inline constexpr uint16_t kFileMissing = 361;
inline constexpr uint16_t kFileIsFolder = 362;
inline constexpr uint16_t kFileUnreadable = 363;
inline constexpr uint16_t kFileUnreadableBecause = 364;  // "%1": the system's reason
inline constexpr uint16_t kFileNotReadWrite = 365;

// Why a profile file could not be read.
inline constexpr uint16_t kProfileNoHeader = 366;
inline constexpr uint16_t kProfileEndsEarly = 367;     // line, lines
inline constexpr uint16_t kProfileLineNoEquals = 368;  // line
inline constexpr uint16_t kProfileLineNoName = 369;    // line
inline constexpr uint16_t kProfileLineNoValue = 370;   // line
inline constexpr uint16_t kProfileLineDigits = 371;    // line, digits
inline constexpr uint16_t kProfileNoSlot = 372;        // slot from 1

// Profile import and export, file writes.
inline constexpr uint16_t kImportFailed = 375;        // file, reason
inline constexpr uint16_t kWriteFailed = 376;         // file
inline constexpr uint16_t kWriteFailedBecause = 377;  // file, the system's reason

// The system's reasons for a failed read or write, in the user's language.
inline constexpr uint16_t kSystemPermissionDenied = 380;
inline constexpr uint16_t kSystemNoSpace = 381;
inline constexpr uint16_t kSystemReadOnly = 382;
inline constexpr uint16_t kSystemNoSuchFile = 383;
inline constexpr uint16_t kSystemIsFolder = 384;
inline constexpr uint16_t kSystemIoError = 385;
inline constexpr uint16_t kSystemQuota = 386;
inline constexpr uint16_t kSystemNameTooLong = 387;
inline constexpr uint16_t kSystemNotFolder = 388;

// The mouse is there but this user may not open it.
inline constexpr uint16_t kAccessDenied = 390;
inline constexpr uint16_t kAccessRunCommands = 391;
inline constexpr uint16_t kAccessReplug = 392;
inline constexpr uint16_t kAccessRuleSource = 393;  // the rule's file name

// Macro export and import.
inline constexpr uint16_t kMacroImportUnreadable = 394;  // file
inline constexpr uint16_t kMacroNotImported = 395;       // name, reason
inline constexpr uint16_t kMacroImportCutShort = 396;
inline constexpr uint16_t kMacroNameTaken = 399;
inline constexpr uint16_t kMacroNoName = 400;
inline constexpr uint16_t kMacroFolderTooDeep = 401;
inline constexpr uint16_t kMacroListFull = 402;

// The skin pictures are missing (shown before any data folder is read).
inline constexpr uint16_t kSkinsMissing = 403;  // the probe file's name
inline constexpr uint16_t kSkinsReinstall = 404;

// Another program holds the data folder: the folder, who holds it.
inline constexpr uint16_t kFolderInUse = 405;
inline constexpr uint16_t kFolderUserUnknown = 406;
inline constexpr uint16_t kFolderUserProcess = 407;  // program, process id

// The window's link and the support text.
inline constexpr uint16_t kUserGuideTitle = 397;
inline constexpr uint16_t kSupportText = 398;

// Why a file of the data folder was kept beside itself and replaced (one
// line each under 420 and 421).
inline constexpr uint16_t kOutsideSinceRead = 422;
inline constexpr uint16_t kOutsideClash = 423;
inline constexpr uint16_t kOutsideKeepsOwn = 424;      // what is wrong with it
inline constexpr uint16_t kOutsideKeepsProfile = 425;  // what is wrong, profile
inline constexpr uint16_t kOutsideKeepsLibrary = 426;  // what is wrong
inline constexpr uint16_t kNotAsWritten = 427;
inline constexpr uint16_t kLineNotAsWritten = 428;  // line
inline constexpr uint16_t kMouseLineChanged = 429;  // the line's name
inline constexpr uint16_t kSlotFileChanged = 430;   // profile
inline constexpr uint16_t kNotReadToEnd = 431;
inline constexpr uint16_t kLibraryRepairsKept = 432;   // the repairs
inline constexpr uint16_t kLibraryLineRepaired = 433;  // line, its text, what
inline constexpr uint16_t kLibraryNotNumber = 434;     // least, most, read as
inline constexpr uint16_t kLibraryNotLocation = 435;
inline constexpr uint16_t kReasonsJoined = 436;     // one reason, the next
inline constexpr uint16_t kProfileRewritten = 437;  // line, profile
inline constexpr uint16_t kProfileReset = 438;      // why, profile
inline constexpr uint16_t kSensorChanged = 439;     // old sensor, new sensor

// What the start found wrong in config.ini and what it did about it.
inline constexpr uint16_t kSettingsUnreadable = 440;  // why
inline constexpr uint16_t kSettingsNoHeader = 441;
inline constexpr uint16_t kSettingsLineTooMany = 442;        // line
inline constexpr uint16_t kSettingsNoEquals = 443;           // line
inline constexpr uint16_t kSettingsNoName = 444;             // line
inline constexpr uint16_t kSettingsNoValue = 445;            // line
inline constexpr uint16_t kSettingsKeptNotReplaced = 446;    // why
inline constexpr uint16_t kSettingsNotReplaced = 447;        // why
inline constexpr uint16_t kSettingsReset = 448;              // why
inline constexpr uint16_t kProfilesResetWithSettings = 449;  // why
inline constexpr uint16_t kSettingsRewritten = 450;
inline constexpr uint16_t kSlotPathNotUsed = 451;  // line, pair, profile, why, path used
inline constexpr uint16_t kSlotPathEmpty = 452;
inline constexpr uint16_t kSlotPathRelative = 453;
inline constexpr uint16_t kSlotPathControl = 454;
inline constexpr uint16_t kSlotPathNotPsf = 455;
inline constexpr uint16_t kSlotPathElsewhere = 456;  // folder
inline constexpr uint16_t kSlotPathShared = 457;     // the other profile
inline constexpr uint16_t kSensorNotHex = 458;       // line, pair, sensor
inline constexpr uint16_t kPreSTNotHex = 459;        // line, pair, sensor
inline constexpr uint16_t kCurrentNotNumber = 460;   // line, pair, profile
inline constexpr uint16_t kShowListBad = 461;        // first line, last, pairs, values
// A macro library line whose actions hold other characters than hex digits.
inline constexpr uint16_t kLibraryNotHex = 462;
// Files kept for one reason: the files, the ending each kept copy's name has.
inline constexpr uint16_t kKeptEach = 463;

}  // namespace velmaro::text
