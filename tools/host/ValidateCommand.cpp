#include "ValidateCommand.h"

#include "ValidationGroups.h"

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <iostream>
#include <set>
#include <vector>

namespace host {
namespace {

constexpr int32_t kGroupCapFactor = 10;  // a group may take ten step limits in all

// How one process of a group ended: with no error (and a note), or with the error that stopped it.
struct Warning {
    std::string kind;
    std::string message;
};

struct Outcome {
    bool passed = false;
    std::string message;
    std::vector<Warning> warnings;
};

// "KIND\tMESSAGE", as the group's process sends a warning.
Warning warning(const std::string& text) {
    const size_t tab = text.find('\t');
    if (tab == std::string::npos) return {text, text};
    return {text.substr(0, tab), text.substr(tab + 1)};
}

// What a group's process said: its last step, its warnings and its result line.
struct Report {
    std::string pending;
    std::string lastStep;
    std::vector<Warning> warnings;
    std::string result;  // "PASS note" or "FAIL message", empty when it never got so far

    void take(const char* bytes, size_t count) {
        pending.append(bytes, count);
        for (size_t end; (end = pending.find('\n')) != std::string::npos; pending.erase(0, end + 1)) {
            const std::string line = pending.substr(0, end);
            if (line.compare(0, 5, "step ") == 0) lastStep = line.substr(5);
            else if (line.compare(0, 5, "warn ") == 0) warnings.push_back(warning(line.substr(5)));
            else result = line;
        }
    }
};

[[noreturn]] void runChild(GroupCheck check, const GroupContext& context, int channel) {
    setpgid(0, 0);  // the parent stops the group with everything it started
    dup2(STDERR_FILENO, STDOUT_FILENO);  // what the module prints must not mix with the report
    setStepChannel(channel);
    std::string result;
    try {
        const std::string note = check(context);
        result = "PASS " + note;
    } catch (const std::exception& error) {
        result = std::string("FAIL ") + error.what();
    }
    for (char& c : result) {
        if (c == '\n') c = ' ';
    }
    result += "\n";
    ssize_t written = write(channel, result.data(), result.size());
    (void)written;
    // exit, not _exit: the sanitizers report at exit and then give their own exit status.
    std::exit(0);
}

std::string describeEnd(int status) {
    if (WIFSIGNALED(status)) {
        const int signal = WTERMSIG(status);
        const char* name = strsignal(signal);
        return "crashed with signal " + std::to_string(signal) + " (" + (name ? name : "unknown") + ")";
    }
    return "ended with exit status " + std::to_string(WEXITSTATUS(status)) + " before it reported";
}

Outcome runProcess(GroupCheck check, const GroupContext& context) {
    int channel[2];
    if (pipe(channel) != 0) return {false, "cannot make a pipe for the group's process", {}};
    std::cout.flush();
    std::cerr.flush();
    const pid_t child = fork();
    if (child < 0) return {false, "cannot start the group's process", {}};
    if (child == 0) {
        close(channel[0]);
        runChild(check, context, channel[1]);
    }
    close(channel[1]);
    setpgid(child, child);

    Report report;
    // A slow module on a busy machine is not hung: the limit runs from the last step the group
    // reported, within a cap for the whole group.
    const auto start = std::chrono::steady_clock::now();
    const auto cap = start + std::chrono::seconds(context.seconds * kGroupCapFactor);
    auto deadline = start + std::chrono::seconds(context.seconds);
    bool open = true;
    bool stalled = false;
    bool capped = false;
    int status = 0;
    for (;;) {
        if (open) {
            pollfd waiting{channel[0], POLLIN, 0};
            if (poll(&waiting, 1, 50) > 0) {
                char bytes[4096];
                const ssize_t count = read(channel[0], bytes, sizeof bytes);
                if (count > 0) {
                    report.take(bytes, static_cast<size_t>(count));
                    deadline = std::chrono::steady_clock::now() + std::chrono::seconds(context.seconds);
                } else {
                    open = false;
                }
            }
        } else {
            usleep(20000);
        }
        if (waitpid(child, &status, WNOHANG) == child) break;
        const auto now = std::chrono::steady_clock::now();
        stalled = now > deadline;
        capped = now > cap;
        if (stalled || capped) {
            kill(-child, SIGKILL);
            kill(child, SIGKILL);
            waitpid(child, &status, 0);
            break;
        }
    }
    for (char bytes[4096]; open;) {  // what is still in the pipe
        const ssize_t count = read(channel[0], bytes, sizeof bytes);
        if (count > 0) report.take(bytes, static_cast<size_t>(count));
        else open = false;
    }
    close(channel[0]);
    kill(-child, SIGKILL);  // anything the group left running

    const std::string where = report.lastStep.empty() ? "" : " during " + report.lastStep;
    Outcome outcome{false, "", std::move(report.warnings)};
    const bool exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    if (stalled) {
        outcome.message = "no progress for " + std::to_string(context.seconds) + " s (hung" + where + "), stopped";
    } else if (capped) {
        outcome.message = "no end within " + std::to_string(context.seconds * kGroupCapFactor) + " s (last" + where +
                          "), stopped";
    } else if (report.result.empty()) {
        outcome.message = describeEnd(status) + where;
    } else if (report.result.compare(0, 5, "FAIL ") == 0) {
        outcome.message = report.result.substr(5);
    } else if (!exitedCleanly) {
        const std::string end = WIFSIGNALED(status) ? "was killed by signal " + std::to_string(WTERMSIG(status))
                                                    : "ended with exit status " + std::to_string(WEXITSTATUS(status));
        outcome.message = "its checks passed, but the process " + end + " (a sanitizer's report is above)";
    } else {
        outcome.passed = true;
        outcome.message = report.result.substr(5);
    }
    return outcome;
}

// The hostile group: a process for each part, and what would be an error elsewhere a warning.
Outcome runHostile(const GroupContext& context) {
    Outcome hostile{true, "", {}};
    for (const HostilePart& part : kHostileParts) {
        Outcome outcome = runProcess(part.run, context);
        for (const Warning& warning : outcome.warnings)
            hostile.warnings.push_back({warning.kind, std::string(part.name) + ": " + warning.message});
        if (!outcome.passed) hostile.warnings.push_back({part.name, std::string(part.name) + ": " + outcome.message});
    }
    return hostile;
}

std::string plural(size_t count, const char* what) {
    return std::to_string(count) + " " + what + (count == 1 ? "" : "s");
}

}  // namespace

bool isValidationGroup(const std::string& name) {
    for (const ValidationGroup& group : kValidationGroups) {
        if (name == group.name) return true;
    }
    return false;
}

std::string validationGroupList() {
    std::string list;
    for (const ValidationGroup& group : kValidationGroups) list += (list.empty() ? "" : ", ") + std::string(group.name);
    return list;
}

int validateModule(const CommandLine& line, std::ostream& out) {
    GroupContext context;
    context.module = line.module;
    context.seconds = line.groupSeconds;
    int passed = 0;
    int failed = 0;
    size_t warnings = 0;
    std::set<std::string> kindsSeen;  // a slip found by several groups is reported by the first
    for (const ValidationGroup& group : kValidationGroups) {
        if (line.onlyGroup && *line.onlyGroup != group.name) continue;
        Outcome outcome = group.run ? runProcess(group.run, context) : runHostile(context);
        std::vector<Warning> fresh;
        for (Warning& warning : outcome.warnings)
            if (kindsSeen.insert(warning.kind).second) fresh.push_back(std::move(warning));
        outcome.warnings = std::move(fresh);
        for (const Warning& warning : outcome.warnings) out << "WARN " << group.name << ": " << warning.message << std::endl;
        warnings += outcome.warnings.size();
        if (!outcome.passed) {
            ++failed;
            out << "FAIL " << group.name << ": " << outcome.message;
        } else if (line.strict && !outcome.warnings.empty()) {
            ++failed;
            out << "FAIL " << group.name << ": " << plural(outcome.warnings.size(), "warning") << ", errors under --strict";
        } else {
            ++passed;
            std::string note = outcome.message;
            if (!outcome.warnings.empty()) note += (note.empty() ? "" : "; ") + plural(outcome.warnings.size(), "warning");
            out << "PASS " << group.name << ": " << group.what;
            if (!note.empty()) out << " (" << note << ")";
        }
        out << std::endl;
    }
    out << passed << " passed, " << failed << " failed, " << plural(warnings, "warning") << std::endl;
    return failed ? 1 : 0;
}

}  // namespace host
