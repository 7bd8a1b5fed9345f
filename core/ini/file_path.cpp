#include "core/ini/file_path.h"

#include "core/ini/ini_file.h"

#include <filesystem>
#include <system_error>

namespace fs = std::filesystem;

std::string NormalizeConfigPath(std::string_view text)
{
    std::string path(text);
    for (char& c : path) {
        if (c == '\\')
            c = '/';
    }
    return path;
}

std::string ResolveFilePath(std::string_view text)
{
    const fs::path path{std::string(text)};
    std::error_code ec;
    if (path.empty() || fs::exists(path, ec))
        return path.string();
    fs::path resolved = path.is_absolute() ? path.root_path() : fs::path();
    for (const auto& part : path.relative_path()) {
        fs::path exact = resolved / part;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            resolved = exact;
            continue;
        }
        const fs::path dir = resolved.empty() ? fs::path(".") : resolved;
        fs::path match;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            if (IniNameEquals(it->path().filename().string(), part.string())) {
                match = it->path().filename();
                break;
            }
        }
        if (match.empty())
            return path.string();
        resolved /= match;
    }
    return resolved.string();
}

std::string PathInWorkingDirectory(std::string_view configuredName)
{
    const fs::path name{NormalizeConfigPath(configuredName)};
    if (name.is_absolute())
        return name.string();
    std::error_code ec;
    fs::path dir = fs::current_path(ec);
    return (dir / name).lexically_normal().string();
}
