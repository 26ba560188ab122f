// Scratch folders and small file helpers for the file tests.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/cards.h"

namespace tess::test {

// A folder of its own for one test, removed with everything in it afterwards.
class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/tessaline-files-XXXXXX";
        if (::mkdtemp(name) != nullptr) path_ = name;
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    ~TempDir() {
        if (path_.empty()) return;
        std::error_code error;
        // Give back any permission a test took away, so everything can be removed.
        for (const auto& entry : std::filesystem::recursive_directory_iterator(path_, error))
            ::chmod(entry.path().c_str(), 0700);
        std::filesystem::remove_all(path_, error);
    }
    const std::string& path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "/" + name; }

private:
    std::string path_;
};

inline void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

inline std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

inline std::vector<std::string> FolderEntries(const std::string& folder) {
    std::vector<std::string> names;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error))
        names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Runs body in a child process, as an ordinary user when the tests run as root (whose
// rights would let every permission test pass), after prepare (e.g. resource limits).
// Returns what body returned, or a note of how the child failed.
inline std::string RunInChild(const std::function<std::string()>& body,
                              const std::function<void()>& prepare = {}, bool dropRoot = true) {
    int fds[2];
    if (::pipe(fds) != 0) return "pipe failed";
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::close(fds[0]);
        if (prepare) prepare();
        if (dropRoot && ::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0)) ::_exit(3);
        const std::string result = body();
        std::size_t done = 0;
        while (done < result.size()) {
            const ssize_t n = ::write(fds[1], result.data() + done, result.size() - done);
            if (n <= 0) break;
            done += static_cast<std::size_t>(n);
        }
        ::_exit(0);
    }
    ::close(fds[1]);
    std::string result;
    char buffer[512];
    ssize_t n;
    while ((n = ::read(fds[0], buffer, sizeof buffer)) > 0) result.append(buffer, static_cast<std::size_t>(n));
    ::close(fds[0]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) return "child failed, status " + std::to_string(status);
    return result;
}

// The file the program writes for the deal 0, 1, ..., 51.
inline const char* const kIdentityGameFile =
    "\"Tessaline\"\r\n"
    "0\r\n1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7\r\n8\r\n9\r\n10\r\n11\r\n12\r\n13\r\n14\r\n15\r\n16\r\n17\r\n"
    "18\r\n19\r\n20\r\n21\r\n22\r\n23\r\n24\r\n25\r\n26\r\n27\r\n28\r\n29\r\n30\r\n31\r\n32\r\n33\r\n34\r\n"
    "35\r\n36\r\n37\r\n38\r\n39\r\n40\r\n41\r\n42\r\n43\r\n44\r\n45\r\n46\r\n47\r\n48\r\n49\r\n50\r\n51\r\n";

// The deal 0, 1, ..., 51.
inline std::array<int, kCardCount> IdentityDeal() {
    std::array<int, kCardCount> deal{};
    for (int i = 0; i < kCardCount; ++i) deal[i] = i;
    return deal;
}

// A saved-game text from a tag line and numbers, one a line, CR LF.
inline std::string GameText(const std::string& tagLine, const std::vector<int>& numbers) {
    std::string text = tagLine + "\r\n";
    for (int n : numbers) text += std::to_string(n) + "\r\n";
    return text;
}

inline std::vector<int> IdentityNumbers() {
    const auto deal = IdentityDeal();
    return std::vector<int>(deal.begin(), deal.end());
}

}  // namespace tess::test
