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

const char kNullDevice[] = "NUL";

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

// An inheritable handle writing to `file`, or the standard one when `file` is empty.
HANDLE output_handle(const std::string& file, DWORD standard) {
    if (file.empty())
        return GetStdHandle(standard);
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    return CreateFileA(file.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                       &inherit, CREATE_ALWAYS, 0, nullptr);
}

}  // namespace

int run_program(const std::string& program, const std::vector<std::string>& args,
                const RunOptions& options) {
    std::string line;
    append_quoted(line, program);
    for (const std::string& arg : args) {
        line += ' ';
        append_quoted(line, arg);
    }
    const bool redirect = !options.output.empty() || !options.errors.empty();
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    if (redirect) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
        startup.hStdOutput = output_handle(options.output, STD_OUTPUT_HANDLE);
        startup.hStdError = output_handle(options.errors, STD_ERROR_HANDLE);
    }
    auto close_files = [&] {
        if (!options.output.empty() && startup.hStdOutput != INVALID_HANDLE_VALUE)
            CloseHandle(startup.hStdOutput);
        if (!options.errors.empty() && startup.hStdError != INVALID_HANDLE_VALUE)
            CloseHandle(startup.hStdError);
    };
    if (redirect && (startup.hStdOutput == INVALID_HANDLE_VALUE ||
                     startup.hStdError == INVALID_HANDLE_VALUE)) {
        close_files();
        return -1;
    }
    PROCESS_INFORMATION process = {};
    const BOOL started =
        CreateProcessA(nullptr, &line[0], nullptr, nullptr, redirect ? TRUE : FALSE, 0, nullptr,
                       options.dir.empty() ? nullptr : options.dir.c_str(), &startup, &process);
    close_files();
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

const char kNullDevice[] = "/dev/null";

namespace {

// The child's exit status when exec fails: the shells' "command not found".
const int kNotFound = 127;

// In the child: points `fd` at `file`, unless it is empty.
bool redirect(int fd, const std::string& file) {
    if (file.empty())
        return true;
    const int opened = open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    return opened >= 0 && dup2(opened, fd) >= 0 && close(opened) == 0;
}

}  // namespace

int run_program(const std::string& program, const std::vector<std::string>& args,
                const RunOptions& options) {
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& arg : args)
        argv.push_back(const_cast<char*>(arg.c_str()));
    argv.push_back(nullptr);
    const pid_t child = fork();
    if (child < 0)
        return -1;
    if (child == 0) {
        if (!redirect(1, options.output) || !redirect(2, options.errors) ||
            (!options.dir.empty() && chdir(options.dir.c_str()) != 0))
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
