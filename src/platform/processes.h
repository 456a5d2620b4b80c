#pragma once
// The running processes: a snapshot of them, the modules of one, its image path, ending
// one, and the debug privilege that lets this program reach the processes of other
// users. None of these waits on the other program's threads; the one wait there is,
// for a process to be gone after it was ended, has a bound given by the caller. The
// calls may come from a worker thread, several at once: an implementation keeps no state
// between them (the simulated one runs on the tests' one thread).
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

struct ProcessEntry {
    std::uint32_t processId = 0;
    // The entry's executable name as the snapshot stores it: a fixed buffer, so it may
    // carry whatever followed its terminating NUL, and a directory part.
    std::string exeFile;
};

// What the system keeps for a process's image, read with one opening of the process.
struct ProcessImage {
    // The image's full path as the system names it; empty when the process cannot be
    // opened to ask.
    std::string path;
    // When it was started, in the system's 100 ns units; nullopt when that cannot be read.
    // An id whose process ended may name another later, which this tells apart.
    std::optional<std::uint64_t> created;
};

// Whether the system marks a process critical (ending it stops the whole system).
enum class Criticality {
    NotCritical,
    Critical,
    Unknown,  // the flag could not be read: to be treated as critical
};

// A process opened to be ended; the handle is closed when it goes away. The handle holds
// this one process, also after its id was given to another.
class OpenedProcess {
  public:
    virtual ~OpenedProcess() = default;
    virtual Criticality critical() = 0;
    // When it was started, in the system's 100 ns units; nullopt when that cannot be read.
    virtual std::optional<std::uint64_t> creationTime() = 0;
    // The file name of its image, without the folder; empty when it cannot be read.
    virtual std::string imageName() = 0;
    // Starts ending it with this exit code; true when the system took the request. The
    // process may still be listed for a moment after.
    virtual bool terminate(std::uint32_t exitCode) = 0;
    // Waits at most timeoutMs for it to be gone; true once it is.
    virtual bool waitForExit(std::uint32_t timeoutMs) = 0;
};

class Processes {
  public:
    virtual ~Processes() = default;
    // Every process, in the system's snapshot order; empty when no snapshot can be taken.
    virtual std::vector<ProcessEntry> processes() = 0;
    // The full paths of the process's modules in the order its module snapshot gives them,
    // each cut at its NUL. nullopt when no module snapshot can be taken (a process that is
    // gone, protected, or of a wider bitness than this program); an empty list when the
    // snapshot holds no module.
    virtual std::optional<std::vector<std::string>> modulePaths(std::uint32_t processId) = 0;
    // The full path of the process's image as the system names it; empty when the
    // process cannot be opened to ask.
    virtual std::string imagePath(std::uint32_t processId) = 0;
    // Its image path and start time together, for the price of one.
    virtual ProcessImage image(std::uint32_t processId) = 0;
    // Opens the process to end it; nullptr when it cannot be opened (gone, or access
    // denied).
    virtual std::unique_ptr<OpenedProcess> openForTermination(std::uint32_t processId) = 0;
    // This program's own process.
    virtual std::uint32_t currentProcessId() = 0;
    // Enables the debug privilege in this process's token; false when it could not be.
    virtual bool enableDebugPrivilege() = 0;
};

}  // namespace platform
