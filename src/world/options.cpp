#include "world/options.h"

#include <vector>

#include "platform/files.h"
#include "platform/platform.h"
#include "world/option_table.h"

namespace {

std::string_view trim(std::string_view s) {
    const size_t first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return {};
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

// The known option a line sets, or nullptr (blank lines, comments, other keys).
const OptionRow* keyOf(std::string_view line, std::string_view& value) {
    const std::string_view text = trim(line);
    if (text.empty() || text.front() == '#') return nullptr;
    const size_t equals = text.find('=');
    if (equals == std::string_view::npos) return nullptr;
    const std::string_view name = trim(text.substr(0, equals));
    for (const OptionRow& row : kOptionTable)
        if (name == row.key) {
            value = trim(text.substr(equals + 1));
            return &row;
        }
    return nullptr;
}

std::vector<std::string_view> linesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        lines.push_back(text.substr(0, end));
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

}  // namespace

Options parseOptions(std::string_view text) {
    Options values;
    for (std::string_view line : linesOf(text)) {
        std::string_view value;
        const OptionRow* row = keyOf(line, value);
        if (!row) continue;
        // The last line of a key decides, and an unusable one means the default.
        if (!row->read(value, values.*row->field)) values.*row->field = Options{}.*row->field;
    }
    return values;
}

std::string formatOptions(const Options& values, std::string_view previous) {
    std::string text;
    bool written[kOptionCount] = {};
    auto line = [&text, &values](const OptionRow& row) {
        text += std::string(row.key) + " = " + row.write(values.*row.field) + "\n";
    };
    for (std::string_view old : linesOf(previous)) {
        std::string_view value;
        if (const OptionRow* row = keyOf(old, value)) {
            written[row - kOptionTable] = true;
            line(*row);
        } else {
            text += std::string(old) + "\n";
        }
    }
    for (int i = 0; i < kOptionCount; ++i)
        if (!written[i]) line(kOptionTable[i]);
    return text;
}

std::string optionsPath() { return plat::filesFolder() + "Options.txt"; }

bool readOptions(Options& options, OptionsFile& file) {
    std::string text;
    const plat::FileStatus status = plat::readWholeFile(optionsPath(), text, kMaxOptionsFileBytes);
    // A file read only in part would lose the rest at the first change.
    file.leftAlone = status != plat::FileStatus::Ok && status != plat::FileStatus::Missing;
    options = parseOptions(text);
    file.remembered = std::move(text);
    return !file.leftAlone;
}

bool writeOptions(const Options& options, OptionsFile& file) {
    if (file.leftAlone) return true;
    const std::string text = formatOptions(options, file.remembered);
    if (text == file.remembered) return true;
    if (!plat::replaceFile(optionsPath(), text.data(), text.size())) return false;
    file.remembered = text;
    return true;
}
