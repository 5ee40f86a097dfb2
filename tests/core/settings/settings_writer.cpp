// A second running copy of the program, as far as the settings go; the settings tests start
// it to write a settings file at the same time as themselves or as another copy of it.
//
//   settings_writer write FILE OWNER COUNT [paced]
//       One store on FILE, kept open throughout. COUNT times: set "Count" in section
//       "Owner<OWNER>" and the value OWNER in section "Shared" to the round's number, then
//       Flush. Paced, each round waits for a byte on stdin before it starts (ending at end
//       of input) and answers with a byte on stdout after its flush.
//   settings_writer hold FOLDER
//       Takes the settings lock of FOLDER, says "locked" on stdout and holds the lock until
//       stdin ends.
// Exit code 0 when every flush succeeded; 1 for bad arguments; 2 for a failed flush or lock.

#include "ini/ini_folder_lock.h"
#include "settings/settings_store.h"

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

namespace {

using namespace vantor;

bool WaitForTurn()
{
    char byte = 0;
    return ::read(STDIN_FILENO, &byte, 1) == 1;
}

void EndTurn()
{
    const char byte = '.';
    if (::write(STDOUT_FILENO, &byte, 1) != 1) std::exit(2);
}

int Write(const std::string& file, const std::string& owner, int count, bool paced)
{
    TSettingsStore store{std::filesystem::path(file)};
    for (int round = 1; round <= count; ++round) {
        if (paced && !WaitForTurn()) return 0;
        store.WriteInteger("Owner" + owner, "Count", round);
        store.WriteInteger("Shared", owner, round);
        const TResult flushed = store.Flush();
        if (!flushed) {
            std::fprintf(stderr, "%s\n", flushed.Message.c_str());
            return 2;
        }
        if (paced) EndTurn();
    }
    return 0;
}

int Hold(const std::string& folder)
{
    const TIniFolderLock lock = TIniFolderLock::Acquire(folder, std::chrono::seconds(10));
    if (!lock.Held()) return 2;
    std::printf("locked\n");
    std::fflush(stdout);
    while (WaitForTurn()) {
    }
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "write" && (argc == 5 || argc == 6))
        return Write(argv[2], argv[3], std::atoi(argv[4]), argc == 6 && std::string(argv[5]) == "paced");
    if (mode == "hold" && argc == 3) return Hold(argv[2]);
    std::fprintf(stderr, "usage: settings_writer write FILE OWNER COUNT [paced] | hold FOLDER\n");
    return 1;
}
