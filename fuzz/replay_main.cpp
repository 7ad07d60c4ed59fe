// A plain main() for a fuzz target in the ordinary test build: runs the
// target's entry point once over every file of its corpus folder (the
// argument), so each input the fuzzer ever kept is checked on every test run.
// A target that finds a fault aborts or traps, which fails the test; the file
// being replayed is named first.
#include <algorithm>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
// Optional in a target; libFuzzer calls it once before the first input.
extern "C" __attribute__((weak)) int LLVMFuzzerInitialize(int* argc, char*** argv);

namespace {

// The file being replayed, for the message a fatal signal prints.
char currentFile[4096] = "";

void sayWhich() {
    const char* lead = "replay: failed while replaying ";
    (void)!write(STDERR_FILENO, lead, strlen(lead));
    (void)!write(STDERR_FILENO, currentFile, strlen(currentFile));
    (void)!write(STDERR_FILENO, "\n", 1);
}

void sayWhichAndDie(int signal) {
    sayWhich();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s CORPUS_FOLDER\n", argv[0]);
        return 2;
    }
    namespace fs = std::filesystem;
    std::error_code error;
    std::vector<fs::path> files;
    for (const fs::directory_entry& e : fs::directory_iterator(argv[1], error))
        if (e.is_regular_file()) files.push_back(e.path());
    if (error || files.empty()) {
        std::fprintf(stderr, "replay: no corpus files in %s\n", argv[1]);
        return 1;
    }
    std::sort(files.begin(), files.end());

#if defined(__SANITIZE_ADDRESS__)
    // The sanitizers report faults themselves and then end the process.
    __sanitizer_set_death_callback(sayWhich);
    for (int s : {SIGABRT, SIGILL}) std::signal(s, sayWhichAndDie);
#else
    for (int s : {SIGABRT, SIGSEGV, SIGILL, SIGFPE, SIGBUS}) std::signal(s, sayWhichAndDie);
#endif
    if (LLVMFuzzerInitialize) LLVMFuzzerInitialize(&argc, &argv);

    for (const fs::path& path : files) {
        std::ifstream in(path, std::ios::binary);
        const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                      std::istreambuf_iterator<char>());
        if (!in.eof() && in.fail()) {
            std::fprintf(stderr, "replay: cannot read %s\n", path.c_str());
            return 1;
        }
        std::snprintf(currentFile, sizeof currentFile, "%s", path.c_str());
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
    }
    std::printf("replayed %zu inputs from %s\n", files.size(), argv[1]);
    return 0;
}
