#pragma once
// Runs the real orvalinden-cli and collects what it printed.
#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <string>

namespace orv::test {

struct CliResult {
    int status = -1;
    std::string out;  // standard output; standard error goes to `err`
    std::string err;
};

inline std::string ShellQuote(const std::string& s) {
    std::string quoted = "'";
    for (char c : s) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

inline CliResult RunCli(const std::string& arguments, const std::string& errFile) {
    CliResult result;
    const std::string command = ShellQuote(ORV_CLI_PATH) + " " + arguments + " 2>" + ShellQuote(errFile);
    FILE* pipe = popen(command.c_str(), "r");
    std::array<char, 4096> buffer{};
    size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) result.out.append(buffer.data(), n);
    const int raw = pclose(pipe);
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    FILE* err = fopen(errFile.c_str(), "rb");
    if (err != nullptr) {
        while ((n = fread(buffer.data(), 1, buffer.size(), err)) > 0) result.err.append(buffer.data(), n);
        fclose(err);
    }
    return result;
}

}  // namespace orv::test
