/*
 * Runs the program named on its command line under Wine and ends with that
 * program's Windows exit code (scripts/wine-run starts every program through
 * it).
 *
 * Wine closes a process's server connection before the process runs its Unix
 * exit handlers (Mesa joins its threads there), and kills it with SIGKILL when
 * it is still alive half a second later. On a busy machine a program that
 * ended with 0 is then seen as killed. The exit code Wine keeps is right, so
 * this waits for it and ends itself at once, with no exit handlers to run.
 */
#include <windows.h>

static const wchar_t* skip_first_argument(const wchar_t* line) {
    int quoted = 0;
    for (; *line && (quoted || (*line != L' ' && *line != L'\t')); line++) {
        if (*line == L'"')
            quoted = !quoted;
    }
    while (*line == L' ' || *line == L'\t')
        line++;
    return line;
}

int wmain(void) {
    wchar_t* command = _wcsdup(skip_first_argument(GetCommandLineW()));
    /* The program dies with this one: a timeout that kills us ends it too. */
    HANDLE job = CreateJobObjectW(NULL, NULL);
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits = {0};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    SetInformationJobObject(job, JobObjectExtendedLimitInformation, &limits, sizeof limits);

    STARTUPINFOW startup = {0};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process;
    if (!*command || !CreateProcessW(NULL, command, NULL, NULL, TRUE, CREATE_SUSPENDED, NULL, NULL,
                                     &startup, &process)) {
        TerminateProcess(GetCurrentProcess(), 126);
    }
    AssignProcessToJobObject(job, process.hProcess);
    ResumeThread(process.hThread);
    DWORD code = 1;
    WaitForSingleObject(process.hProcess, INFINITE);
    GetExitCodeProcess(process.hProcess, &code);
    TerminateProcess(GetCurrentProcess(), code);
    return (int)code;
}
