#include "model/reason.h"

#include <cerrno>
#include <cstring>

#include "model/text.h"
#include "model/text_entries.h"

namespace velmaro {

Reason Reason::Text(std::u16string text) {
    Reason r;
    r.Literal = std::move(text);
    return r;
}

Reason Reason::Text(const std::string& utf8) {
    return Text(ToU16(utf8));
}

Reason Reason::Number(long long n) {
    return Text(std::to_string(n));
}

Reason Reason::Of(uint16_t entry, std::vector<Reason> values) {
    Reason r;
    r.Entry = entry;
    r.Values = std::move(values);
    return r;
}

Reason SystemReason(const std::string& text) {
    struct Known {
        int Errno;
        uint16_t Entry;
    };
    static constexpr Known kKnown[] = {
        {EACCES, text::kSystemPermissionDenied},
        {ENOSPC, text::kSystemNoSpace},
        {EROFS, text::kSystemReadOnly},
        {ENOENT, text::kSystemNoSuchFile},
        {EISDIR, text::kSystemIsFolder},
        {EIO, text::kSystemIoError},
        {EDQUOT, text::kSystemQuota},
        {ENAMETOOLONG, text::kSystemNameTooLong},
        {ENOTDIR, text::kSystemNotFolder},
    };
    // The text is strerror's, in whatever language the process runs: compare
    // with strerror's own words for each number.
    for (const Known& k : kKnown) {
        if (text == std::strerror(k.Errno))
            return Reason::Of(k.Entry);
    }
    return Reason::Text(text);
}

Reason WriteFailure(std::u16string file, const std::string& why) {
    if (why.empty())
        return Reason::Of(text::kWriteFailed, {Reason::Text(std::move(file))});
    return Reason::Of(text::kWriteFailedBecause,
                      {Reason::Text(std::move(file)), SystemReason(why)});
}

Reason ProfileLabel(int slot, const std::u16string& name) {
    if (!name.empty())
        return Reason::Of(text::kQuoted, {Reason::Text(name)});
    return Reason::Of(text::kProfileNumbered, {Reason::Number(slot + 1)});
}

Reason ListOf(std::vector<Reason> items) {
    if (items.size() == 1)
        return items.front();
    Reason r;
    r.List = true;
    r.Values = std::move(items);
    return r;
}

std::u16string RenderReason(const LanguageTable& table, const Reason& reason) {
    if (reason.Entry == 0 && !reason.List)
        return reason.Literal;
    std::vector<std::u16string> values;
    values.reserve(reason.Values.size());
    for (const Reason& v : reason.Values)
        values.push_back(RenderReason(table, v));

    if (reason.List) {
        std::u16string out;
        for (size_t i = 0; i < values.size(); ++i) {
            if (i != 0)
                out += table.Text(i + 1 == values.size() ? text::kListAnd : text::kListComma);
            out += values[i];
        }
        return out;
    }

    const std::u16string& pattern = table.Text(reason.Entry);
    if (pattern.empty()) {
        std::u16string out;
        for (const std::u16string& v : values) {
            if (!out.empty())
                out += u' ';
            out += v;
        }
        return out;
    }
    std::u16string out;
    for (size_t i = 0; i < pattern.size(); ++i) {
        const char16_t c = pattern[i];
        if (c == u'%' && i + 1 < pattern.size() && pattern[i + 1] >= u'1' &&
            pattern[i + 1] <= u'9') {
            const size_t n = size_t(pattern[i + 1] - u'1');
            if (n < values.size()) {
                out += values[n];
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}

}  // namespace velmaro
