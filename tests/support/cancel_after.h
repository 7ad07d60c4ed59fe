#pragma once
// Stands for the user pressing "Přeruš" after a number of polls of the
// progress's cancel flag; counts the progress objects made.

#include "base/progress.h"

namespace dorvana::test {

class CancelAfterPolls final : public Progress {
public:
    explicit CancelAfterPolls(int polls, int* made = nullptr) : polls_(polls) {
        if (made) ++*made;
    }
    void step(int, int, const QString&) override {}
    bool cancelled() override { return --polls_ < 0; }

private:
    int polls_;
};

}  // namespace dorvana::test
