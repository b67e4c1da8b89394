// Build-time tool: turns the readable language sources (UTF-8, one
// "number=text" line per entry, "#" comments) into the program's language
// files (UTF-16LE with byte order mark, "[Setting]" first, "\n" line ends)
// and into a C++ source that carries the same bytes for the core.
//
// Usage: velmaro_lang_gen ENGLISH_SOURCE CHINESE_SOURCE OUTPUT_FOLDER
// Writes OUTPUT_FOLDER/Lan_EN.txt, OUTPUT_FOLDER/Lan.txt and
// OUTPUT_FOLDER/shipped_language_files.cpp. A malformed source fails the
// build with a message naming the file and line.

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>

namespace {

constexpr long kEntries = 500;

struct Source {
    std::string path;
    std::map<long, std::u16string> entries;
};

bool Fail(const std::string& path, size_t line, const std::string& what) {
    std::cerr << path << ":" << line << ": " << what << "\n";
    return false;
}

// Strict UTF-8: a source with broken bytes is an error, not a U+FFFD.
bool DecodeUtf8(const std::string& in, std::u16string& out) {
    out.clear();
    size_t i = 0;
    while (i < in.size()) {
        const auto b0 = static_cast<unsigned char>(in[i]);
        size_t len = 0;
        uint32_t cp = 0;
        if (b0 < 0x80) {
            len = 1;
            cp = b0;
        } else if ((b0 & 0xE0) == 0xC0) {
            len = 2;
            cp = b0 & 0x1F;
        } else if ((b0 & 0xF0) == 0xE0) {
            len = 3;
            cp = b0 & 0x0F;
        } else if ((b0 & 0xF8) == 0xF0) {
            len = 4;
            cp = b0 & 0x07;
        } else {
            return false;
        }
        if (i + len > in.size())
            return false;
        for (size_t k = 1; k < len; ++k) {
            const auto b = static_cast<unsigned char>(in[i + k]);
            if ((b & 0xC0) != 0x80)
                return false;
            cp = (cp << 6) | (b & 0x3F);
        }
        static constexpr uint32_t kMin[] = {0, 0, 0x80, 0x800, 0x10000};
        if (cp < kMin[len] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))
            return false;
        if (cp >= 0x10000) {
            cp -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (cp >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (cp & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(cp));
        }
        i += len;
    }
    return true;
}

bool ReadSource(Source& src) {
    std::ifstream file(src.path, std::ios::binary);
    if (!file)
        return Fail(src.path, 0, "cannot be read");
    std::stringstream all;
    all << file.rdbuf();
    std::string text = all.str();
    if (text.rfind("\xEF\xBB\xBF", 0) == 0)
        text.erase(0, 3);

    size_t line_no = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(pos, end - pos);
        pos = end + 1;
        ++line_no;
        // A checkout with CR LF line ends must not put CRs into the texts.
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.find_first_not_of(" \t") == std::string::npos || line[0] == '#')
            continue;

        const size_t eq = line.find('=');
        if (eq == std::string::npos || eq == 0)
            return Fail(src.path, line_no, "expected \"number=text\"");
        long number = 0;
        for (size_t k = 0; k < eq; ++k) {
            if (line[k] < '0' || line[k] > '9')
                return Fail(src.path, line_no, "the entry number must be decimal digits");
            number = number * 10 + (line[k] - '0');
            if (number >= kEntries)
                return Fail(src.path, line_no, "entry number outside 0 to 499");
        }
        // The program stops reading at a line with nothing after "=".
        if (eq + 1 >= line.size())
            return Fail(src.path, line_no, "empty text");
        std::u16string value;
        if (!DecodeUtf8(line.substr(eq + 1), value))
            return Fail(src.path, line_no, "not valid UTF-8");
        if (!src.entries.emplace(number, value).second)
            return Fail(src.path, line_no, "entry " + std::to_string(number) + " given twice");
    }
    if (!src.entries.count(0))
        return Fail(src.path, line_no, "entry 0 (the language's name) is missing");
    return true;
}

void PutUnit(std::string& out, char16_t unit) {
    out.push_back(static_cast<char>(unit & 0xFF));
    out.push_back(static_cast<char>(unit >> 8));
}

void PutAscii(std::string& out, const std::string& text) {
    for (const char c : text)
        PutUnit(out, static_cast<char16_t>(c));
}

std::string Encode(const Source& src) {
    std::string out("\xFF\xFE", 2);
    PutAscii(out, "[Setting]\n");
    for (const auto& [number, text] : src.entries) {
        PutAscii(out, std::to_string(number) + "=");
        for (const char16_t unit : text)
            PutUnit(out, unit);
        PutAscii(out, "\n");
    }
    return out;
}

bool WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    file.close();
    if (!file) {
        std::cerr << path << ": cannot be written\n";
        return false;
    }
    return true;
}

std::string ByteArray(const char* name, const std::string& bytes) {
    std::string out = std::string("constexpr unsigned char ") + name + "[] = {";
    char hex[8];
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (i % 16 == 0)
            out += "\n    ";
        std::snprintf(hex, sizeof hex, "0x%02X,", static_cast<unsigned char>(bytes[i]));
        out += hex;
    }
    out += "\n};\n";
    return out;
}

std::string CppSource(const std::string& english, const std::string& chinese) {
    std::string out =
        "// Generated at build time from assets/lang by velmaro_lang_gen. Do not edit.\n"
        "#include \"storage/shipped_language_files.h\"\n\n"
        "namespace velmaro {\n\nnamespace {\n\n";
    out += ByteArray("kEnglish", english);
    out += "\n";
    out += ByteArray("kChinese", chinese);
    out +=
        "\nstd::string_view View(const unsigned char* bytes, size_t size) {\n"
        "    return {reinterpret_cast<const char*>(bytes), size};\n"
        "}\n\n"
        "}  // namespace\n\n"
        "std::string_view ShippedLanguageFile(ShippedLanguage language) {\n"
        "    return language == ShippedLanguage::English ? View(kEnglish, sizeof kEnglish)\n"
        "                                                : View(kChinese, sizeof kChinese);\n"
        "}\n\n"
        "}  // namespace velmaro\n";
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::cerr << "usage: velmaro_lang_gen ENGLISH_SOURCE CHINESE_SOURCE OUTPUT_FOLDER\n";
        return 2;
    }
    Source english{argv[1], {}};
    Source chinese{argv[2], {}};
    if (!ReadSource(english) || !ReadSource(chinese))
        return 1;
    // The loader picks the UI font by entry 0 of the file it read.
    if (chinese.entries[0] != u"中文") {
        Fail(chinese.path, 0, "entry 0 must be \"中文\"");
        return 1;
    }
    if (english.entries[0] == u"中文") {
        Fail(english.path, 0, "entry 0 must not be \"中文\"");
        return 1;
    }

    const std::string out = argv[3];
    const std::string english_bytes = Encode(english);
    const std::string chinese_bytes = Encode(chinese);
    if (!WriteFile(out + "/Lan_EN.txt", english_bytes) ||
        !WriteFile(out + "/Lan.txt", chinese_bytes) ||
        !WriteFile(out + "/shipped_language_files.cpp", CppSource(english_bytes, chinese_bytes)))
        return 1;
    return 0;
}
