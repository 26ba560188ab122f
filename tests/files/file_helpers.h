// Scratch folders, file bytes, forked children and deal texts for the file tests.
#pragma once

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>

#include "files/saved_game.h"

namespace tess::test {

// A folder of its own for one test, removed with everything in it afterwards.
struct TempDir {
    std::string path = [] {
        char name[] = "/tmp/tessaline-files-XXXXXX";
        return std::string(::mkdtemp(name) != nullptr ? name : "");
    }();
    ~TempDir() {
        std::error_code error;
        std::filesystem::remove_all(path, error);
    }
    std::string File(const std::string& name) const { return path + "/" + name; }
};

inline void WriteBytes(const std::string& path, const std::string& bytes) { std::ofstream(path) << bytes; }

// The bytes of a plain file; empty for anything else.
inline std::string ReadBytes(const std::string& path) {
    if (!std::filesystem::is_regular_file(path)) return "";
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Runs body in a forked child, as nobody when the tests run as root (whose rights would
// pass every permission test); returns body's text or how the child died.
inline std::string RunInChild(const std::function<std::string()>& body) {
    int fds[2];
    if (::pipe(fds) != 0) return "no pipe";
    const pid_t pid = ::fork();
    if (pid == 0) {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const std::string result = body();
        ::_exit(::write(fds[1], result.data(), result.size()) == static_cast<ssize_t>(result.size()) ? 0 : 4);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[512];
    for (ssize_t n; (n = ::read(fds[0], buffer, sizeof buffer)) > 0;) result.append(buffer, static_cast<size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0 ? result : "child died: " + std::to_string(status);
}

// The numbers 0..51 on lines of their own: the body of a saved game.
inline std::string Numbers() {
    std::string text;
    for (int i = 0; i < kCardCount; ++i) text += (i ? "\r\n" : "") + std::to_string(i);
    return text;
}

}  // namespace tess::test
