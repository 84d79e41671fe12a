#include "tools/optimizer_backup_text.h"

#include "framework/text_format.h"

#include <cctype>

namespace ovix {
namespace {

constexpr std::string_view kHeader = "REGEDIT4";
constexpr std::string_view kLibraryNote = "; Registered library: ";
constexpr std::string_view kPrefix = "optimize-";
constexpr std::string_view kExtension = ".reg";

std::string Quoted(std::string_view text) {
    std::string quoted = "\"";
    for (const char c : text) {
        if (c == '\\' || c == '"') quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

// One NUL-terminated text with no NUL inside and nothing that would break the line.
bool IsPlainText(std::string_view bytes) {
    if (bytes.empty() || bytes.back() != '\0') return false;
    bytes.remove_suffix(1);
    return bytes.find_first_of(std::string_view("\0\r\n", 3)) == std::string_view::npos;
}

std::string Data(const SavedValue& value) {
    if (!value.existed) return "-";
    if (value.type == kRegSz && IsPlainText(value.bytes)) {
        return Quoted(std::string_view(value.bytes).substr(0, value.bytes.size() - 1));
    }
    if (value.type == kRegDword && value.bytes.size() == 4) {
        uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(value.bytes[i]);
        return fw::Format("dword:%08x", number);
    }
    std::string hex = fw::Format("hex(%x):", value.type);
    for (size_t i = 0; i < value.bytes.size(); ++i) {
        hex += fw::Format(i ? ",%02x" : "%02x", static_cast<unsigned char>(value.bytes[i]));
    }
    return hex;
}

std::optional<Hive> HiveNamed(std::string_view name) {
    for (const Hive hive : {Hive::ClassesRoot, Hive::CurrentUser, Hive::LocalMachine}) {
        if (name == HiveName(hive)) return hive;
    }
    return std::nullopt;
}

// "HKEY_...\key" split at its first backslash.
bool SplitKey(std::string_view path, Hive& hive, std::string& key) {
    const size_t slash = path.find('\\');
    if (slash == std::string_view::npos || slash + 1 == path.size()) return false;
    const auto named = HiveNamed(path.substr(0, slash));
    if (!named) return false;
    hive = *named;
    key = std::string(path.substr(slash + 1));
    return true;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

std::optional<uint32_t> HexNumber(std::string_view text, size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    uint32_t number = 0;
    for (const char c : text) {
        const int digit = HexDigit(c);
        if (digit < 0) return std::nullopt;
        number = number << 4 | static_cast<uint32_t>(digit);
    }
    return number;
}

// A quoted text at the start of `text`; `text` is left after the closing quote.
std::optional<std::string> Unquote(std::string_view& text) {
    if (text.empty() || text.front() != '"') return std::nullopt;
    std::string plain;
    for (size_t i = 1; i < text.size(); ++i) {
        if (text[i] == '"') {
            text.remove_prefix(i + 1);
            return plain;
        }
        if (text[i] == '\\' && i + 1 < text.size()) ++i;
        plain += text[i];
    }
    return std::nullopt;
}

bool ParseData(std::string_view data, SavedValue& value) {
    value.existed = data != "-";
    if (!value.existed) return true;
    if (!data.empty() && data.front() == '"') {
        const auto text = Unquote(data);
        if (!text || !data.empty()) return false;
        value.type = kRegSz;
        value.bytes = *text + '\0';
        return true;
    }
    if (data.starts_with("dword:")) {
        const auto number = HexNumber(data.substr(6), 8);
        if (!number || data.size() != 14) return false;
        value.type = kRegDword;
        for (int i = 0; i < 4; ++i) value.bytes += static_cast<char>(*number >> (8 * i) & 0xFF);
        return true;
    }
    const size_t close = data.find("):");
    if (!data.starts_with("hex(") || close == std::string_view::npos) return false;
    const auto type = HexNumber(data.substr(4, close - 4), 8);
    if (!type) return false;
    value.type = *type;
    for (std::string_view bytes = data.substr(close + 2); !bytes.empty();) {
        const auto byte = HexNumber(bytes.substr(0, 2), 2);
        if (!byte || bytes.size() < 2 || (bytes.size() > 2 && bytes[2] != ',') || bytes.size() == 3) return false;
        value.bytes += static_cast<char>(*byte);
        bytes.remove_prefix(bytes.size() > 2 ? 3 : 2);
    }
    return true;
}

}  // namespace

std::string EncodeRegedit4(const SettingsSnapshot& snapshot) {
    std::string text = std::string(kHeader) + "\r\n";
    for (const std::string& library : snapshot.registeredLibraries) {
        text += std::string(kLibraryNote) + library + "\r\n";
    }
    const SavedValue* previous = nullptr;
    for (const SavedValue& value : snapshot.values) {
        if (!previous || previous->hive != value.hive || previous->key != value.key) {
            text += "\r\n[" + std::string(HiveName(value.hive)) + "\\" + value.key + "]\r\n";
        }
        previous = &value;
        text += (value.name.empty() ? std::string("@") : Quoted(value.name)) + "=" + Data(value) + "\r\n";
    }
    if (!snapshot.createdKeys.empty()) text += "\r\n";
    for (const CreatedKey& key : snapshot.createdKeys) {
        text += "[-" + std::string(HiveName(key.hive)) + "\\" + key.key + "]\r\n";
    }
    return text;
}

std::optional<SettingsSnapshot> ParseRegedit4(std::string_view text) {
    SettingsSnapshot snapshot;
    bool header = false;
    bool inKey = false;
    Hive hive = Hive::CurrentUser;
    std::string key;
    while (!text.empty()) {
        const size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (!header) {
            if (line != kHeader) return std::nullopt;
            header = true;
        } else if (line.starts_with(kLibraryNote)) {
            snapshot.registeredLibraries.emplace_back(line.substr(kLibraryNote.size()));
        } else if (line.empty() || line.front() == ';') {
            continue;
        } else if (line.starts_with("[-") && line.back() == ']') {
            CreatedKey created;
            if (!SplitKey(line.substr(2, line.size() - 3), created.hive, created.key)) return std::nullopt;
            snapshot.createdKeys.push_back(std::move(created));
            inKey = false;
        } else if (line.front() == '[' && line.back() == ']') {
            inKey = SplitKey(line.substr(1, line.size() - 2), hive, key);
            if (!inKey) return std::nullopt;
        } else {
            SavedValue value;
            value.hive = hive;
            value.key = key;
            if (line.front() == '@') {
                line.remove_prefix(1);
            } else {
                auto name = Unquote(line);
                if (!name) return std::nullopt;
                value.name = std::move(*name);
            }
            if (!inKey || line.empty() || line.front() != '=' || !ParseData(line.substr(1), value)) {
                return std::nullopt;
            }
            snapshot.values.push_back(std::move(value));
        }
    }
    if (!header) return std::nullopt;
    return snapshot;
}

std::string BackupFileName(std::string_view stamp, int copy) {
    std::string name = std::string(kPrefix) + std::string(stamp);
    if (copy > 1) (name += '-') += std::to_string(copy);
    return name + std::string(kExtension);
}

std::optional<BackupFileOrder> ParseBackupFileName(std::string_view name) {
    // optimize-yyyymmdd-hhmmss[-n].reg
    constexpr size_t kStamp = 15;
    if (!name.starts_with(kPrefix) || !name.ends_with(kExtension)) return std::nullopt;
    name = name.substr(kPrefix.size(), name.size() - kPrefix.size() - kExtension.size());
    if (name.size() < kStamp || name[8] != '-') return std::nullopt;
    for (size_t i = 0; i < kStamp; ++i) {
        if (i != 8 && !std::isdigit(static_cast<unsigned char>(name[i]))) return std::nullopt;
    }
    BackupFileOrder order{std::string(name.substr(0, kStamp)), 1};
    std::string_view copy = name.substr(kStamp);
    if (copy.empty()) return order;
    if (copy.size() < 2 || copy.size() > 6 || copy[0] != '-' || copy[1] == '0') return std::nullopt;
    order.copy = 0;
    for (const char c : copy.substr(1)) {
        if (!std::isdigit(static_cast<unsigned char>(c))) return std::nullopt;
        order.copy = order.copy * 10 + (c - '0');
    }
    return order.copy >= 2 ? std::optional(order) : std::nullopt;
}

std::string UndoneFileName(std::string_view path) {
    if (path.ends_with(kExtension)) path.remove_suffix(kExtension.size());
    return std::string(path) + ".undone" + std::string(kExtension);
}

}  // namespace ovix
