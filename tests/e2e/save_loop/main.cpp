// kov_save_loop: saves the full rack's records again and again, alternating between two
// versions, until it is killed. "state FILE" saves through the state saver, as the
// program does after every change; "project FILE" writes project files one after the
// other. Prints "saving" once the first save is complete.

#include <cstring>
#include <iostream>

#include "store/auto_reset_event.h"
#include "store/project_file.h"
#include "store/state_saver.h"
#include "support/save_versions.h"

int main(int argc, char** argv) {
    if (argc != 3 || (std::strcmp(argv[1], "state") != 0 && std::strcmp(argv[1], "project") != 0)) {
        std::cerr << "usage: kov_save_loop state|project FILE\n";
        return 2;
    }
    const std::filesystem::path file = argv[2];
    kov::CardRecords records;
    kov::test::LoadFullRackRecords(records);

    if (std::strcmp(argv[1], "project") == 0) {
        for (int i = 0;; ++i) {
            kov::test::ApplySaveVersion(records, i % 2);
            if (!kov::WriteProjectFile(file, records.Snapshot())) {
                std::cerr << "kov_save_loop: cannot write " << file << '\n';
                return 1;
            }
            if (i == 0)
                std::cout << "saving" << std::endl;
        }
    }
    kov::AutoResetEvent changed;
    kov::StateSaver saver(records, changed, file);
    saver.Start();
    for (int i = 0;; ++i) {
        kov::test::ApplySaveVersion(records, i % 2);
        changed.Set();
        if (i == 0) {
            while (saver.SaveCount() == 0) {
                if (saver.FailedSaveCount() > 0) {
                    std::cerr << "kov_save_loop: cannot write " << file << '\n';
                    return 1;
                }
            }
            std::cout << "saving" << std::endl;
        }
    }
}
