#include "app/SettingsFile.h"

#include <fcntl.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>

namespace vexadra {

namespace fs = std::filesystem;

namespace {

constexpr std::string_view kTemporaryEnd = ".tmp";

bool IsAbsolute(const char* path) { return path != nullptr && path[0] == '/'; }

// Holds a file descriptor for one scope.
class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return m_fd; }
    // Closing can report a failed write of its own.
    bool Close()
    {
        const int fd = m_fd;
        m_fd = -1;
        return ::close(fd) == 0;
    }

private:
    int m_fd;
};

// The whole file, if it is a regular file of at most kMaxSettingsFileBytes.
bool ReadWhole(const fs::path& path, std::string& text)
{
    Descriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    struct stat status {};
    if (file.Get() < 0 || ::fstat(file.Get(), &status) != 0 || !S_ISREG(status.st_mode) ||
        static_cast<std::uintmax_t>(status.st_size) > kMaxSettingsFileBytes)
        return false;
    std::string read(kMaxSettingsFileBytes + 1, '\0');
    std::size_t got = 0;
    while (got < read.size()) {
        const ssize_t n = ::read(file.Get(), read.data() + got, read.size() - got);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return false;
        if (n == 0)
            break;
        got += static_cast<std::size_t>(n);
    }
    if (got > kMaxSettingsFileBytes)  // it grew meanwhile
        return false;
    read.resize(got);
    text = std::move(read);
    return true;
}

bool WriteAll(int fd, std::string_view text)
{
    while (!text.empty()) {
        const ssize_t n = ::write(fd, text.data(), text.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        text.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// Where the file's text really lives: a symbolic link is followed to its end.
fs::path Resolved(const fs::path& path)
{
    fs::path at = path;
    for (int hops = 0; hops < 40; ++hops) {
        std::error_code error;
        if (!fs::is_symlink(at, error))
            return at;
        const fs::path next = fs::read_symlink(at, error);
        if (error)
            return {};
        at = next.is_absolute() ? next : at.parent_path() / next;
    }
    return {};  // a loop
}

fs::path TemporaryFor(const fs::path& target)
{
    return target.parent_path() / (target.filename().string() + "." + std::to_string(::getpid()) + std::string(kTemporaryEnd));
}

bool ProcessAlive(long pid) { return pid > 0 && (::kill(static_cast<pid_t>(pid), 0) == 0 || errno == EPERM); }

// "<name>.<pid>.tmp" of a run that is no longer there.
bool IsOurStrayTemporary(std::string_view entry, std::string_view name)
{
    if (entry.size() <= name.size() + 1 + kTemporaryEnd.size() || entry.substr(0, name.size()) != name ||
        entry[name.size()] != '.' || entry.substr(entry.size() - kTemporaryEnd.size()) != kTemporaryEnd)
        return false;
    const std::string_view digits = entry.substr(name.size() + 1, entry.size() - name.size() - 1 - kTemporaryEnd.size());
    if (digits.empty() || digits.size() > 9 || digits.find_first_not_of("0123456789") != std::string_view::npos)
        return false;
    return !ProcessAlive(std::stol(std::string(digits)));
}

// What earlier versions left: the toolkit's temporary file, the name's stem and six
// random letters or digits.
bool IsOldStrayTemporary(std::string_view entry, std::string_view stem)
{
    constexpr std::size_t kRandom = 6;
    return entry.size() == stem.size() + kRandom && entry.substr(0, stem.size()) == stem &&
           entry.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789", stem.size()) ==
               std::string_view::npos;
}

void RemoveStraysIn(const fs::path& folder, const fs::path& file, bool oldOnesToo)
{
    const std::string name = file.filename().string();
    const std::string stem = file.stem().string();
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(folder, error)) {
        const std::string entryName = entry.path().filename().string();
        if ((IsOurStrayTemporary(entryName, name) || (oldOnesToo && IsOldStrayTemporary(entryName, stem))) &&
            entry.is_regular_file(error))
            fs::remove(entry.path(), error);
    }
}

} // namespace

std::string XdgUserFolder(const char* variable, std::string_view underHome)
{
    if (const char* value = std::getenv(variable); IsAbsolute(value))
        return value;
    std::string home;
    if (const char* fromEnvironment = std::getenv("HOME"); IsAbsolute(fromEnvironment)) {
        home = fromEnvironment;
    } else if (const passwd* user = ::getpwuid(::getuid()); user != nullptr && IsAbsolute(user->pw_dir)) {
        home = user->pw_dir;
    } else {
        return {};
    }
    return home + "/" + std::string(underHome);
}

std::string UserSettingsPath()
{
    const std::string folder = XdgUserFolder("XDG_CONFIG_HOME", ".config");
    return folder.empty() ? folder : folder + "/vexadra/vexadra.conf";
}

std::string UserLayoutMemoPath()
{
    const std::string folder = XdgUserFolder("XDG_CACHE_HOME", ".cache");
    return folder.empty() ? folder : folder + "/vexadra/layout";
}

Settings LoadSettingsFile(const std::string& path)
{
    if (path.empty())
        return Settings{};
    RemoveStrayTemporaries(path);
    std::string text;
    if (!ReadWhole(path, text))
        return Settings{};
    return ReadSettings(text);
}

void RemoveStrayTemporaries(const std::string& path)
{
    const fs::path file(path);
    RemoveStraysIn(file.parent_path(), file, true);
    const fs::path target = Resolved(file);
    if (!target.empty() && target.parent_path() != file.parent_path())
        RemoveStraysIn(target.parent_path(), target, false);
}

bool WriteSettingToFile(const std::string& path, std::string_view key, std::string_view value)
{
    if (path.empty())
        return false;
    const fs::path target = Resolved(path);
    if (target.empty())
        return false;
    struct stat status {};
    const bool exists = ::stat(target.c_str(), &status) == 0;
    if (!exists && errno != ENOENT)
        return false;
    std::string text;
    if (exists && !ReadWhole(target, text))
        return false;  // not ours to replace: a folder, too large, unreadable
    const std::string updated = WithSetting(text, key, value);
    if (exists && updated == text)
        return true;

    std::error_code error;
    fs::create_directories(fs::path(path).parent_path(), error);
    RemoveStrayTemporaries(path);
    const fs::path temporary = TemporaryFor(target);
    const mode_t mode = exists ? (status.st_mode & 07777) : 0666;
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW, mode));
    if (file.Get() < 0)
        return false;
    // The old file's permissions, whatever the umask says.
    const bool written = (!exists || ::fchmod(file.Get(), mode) == 0) && WriteAll(file.Get(), updated) &&
                         ::fsync(file.Get()) == 0 && file.Close();
    if (!written || ::rename(temporary.c_str(), target.c_str()) != 0) {
        ::unlink(temporary.c_str());
        return false;
    }
    // The rename itself reaches the disk with the folder.
    Descriptor folder(::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.Get() >= 0)
        ::fsync(folder.Get());
    return true;
}

} // namespace vexadra
