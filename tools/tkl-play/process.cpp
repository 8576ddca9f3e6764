#include "tools/tkl-play/process.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <cerrno>
#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace play {

#if defined(_WIN32)

namespace {

// One argument as the C runtime splits a command line back: quotes around it, and
// backslashes doubled where they precede a quote.
void append_quoted(std::string& line, const std::string& arg) {
    line += '"';
    size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        line.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        line += c;
    }
    line.append(backslashes * 2, '\\');
    line += '"';
}

}  // namespace

int run_program(const std::string& program, const std::vector<std::string>& args,
                const std::string& dir, bool quiet) {
    std::string line;
    append_quoted(line, program);
    for (const std::string& arg : args) {
        line += ' ';
        append_quoted(line, arg);
    }
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    HANDLE null = INVALID_HANDLE_VALUE;
    if (quiet) {
        SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
        null = CreateFileA("NUL", GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                           OPEN_EXISTING, 0, nullptr);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = startup.hStdError = null;
    }
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, quiet ? TRUE : FALSE, 0, nullptr,
                       dir.empty() ? nullptr : dir.c_str(), &startup, &process);
    if (null != INVALID_HANDLE_VALUE)
        CloseHandle(null);
    if (!started)
        return -1;
    WaitForSingleObject(process.hProcess, INFINITE);
    DWORD status = 1;
    GetExitCodeProcess(process.hProcess, &status);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return int(status);
}

#else

namespace {
// The child's exit status when exec fails: the shells' "command not found".
const int kNotFound = 127;
}  // namespace

int run_program(const std::string& program, const std::vector<std::string>& args,
                const std::string& dir, bool quiet) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (quiet) {
            const int null = open("/dev/null", O_WRONLY);
            if (null >= 0) {
                dup2(null, 1);
                dup2(null, 2);
            }
        }
        if (!dir.empty() && chdir(dir.c_str()) != 0)
            _exit(kNotFound);
        execvp(argv[0], argv.data());
        _exit(kNotFound);
    }
    int status = 0;
    while (waitpid(child, &status, 0) < 0)
        if (errno != EINTR)
            return -1;
    if (WIFEXITED(status))
        return WEXITSTATUS(status) == kNotFound ? -1 : WEXITSTATUS(status);
    return -1;
}

#endif

}  // namespace play
