// Every test leaves the process as it found it: a test that changes the current folder, the
// environment, the locale or the umask makes the tests after it pass or fail by their order, and
// ctest, which runs each test in a process of its own, would never show it.
#include <gtest/gtest.h>

#include <algorithm>
#include <clocale>
#include <filesystem>
#include <locale>

#include "support/system.h"

namespace quorlin::test {
namespace {

struct ProcessState {
    std::filesystem::path folder;
    std::string folderError;
    std::vector<std::string> environment;
    std::string cxxLocale, cLocale;
    unsigned umask = 0;

    static ProcessState now() {
        ProcessState s;
        std::error_code ec;
        s.folder = std::filesystem::current_path(ec);
        if (ec) s.folderError = ec.message();
        s.environment = test::environment();
        std::sort(s.environment.begin(), s.environment.end());
        s.cxxLocale = std::locale().name();
        const char* c = std::setlocale(LC_ALL, nullptr);
        s.cLocale = c ? c : "";
        s.umask = currentUmask();
        return s;
    }
};

// The entries of one sorted list missing from the other, joined.
std::string missing(const std::vector<std::string>& from, const std::vector<std::string>& in) {
    std::vector<std::string> gone;
    std::set_difference(from.begin(), from.end(), in.begin(), in.end(), std::back_inserter(gone));
    std::string joined;
    for (const auto& g : gone) joined += (joined.empty() ? "" : ", ") + g;
    return joined.empty() ? "nothing" : joined;
}

class UnchangedProcess : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { before_ = ProcessState::now(); }

    // Named as a failure of the test that made the change, then put back for the tests after it.
    void OnTestEnd(const testing::TestInfo&) override {
        const ProcessState after = ProcessState::now();
        if (after.folder != before_.folder || after.folderError != before_.folderError) {
            ADD_FAILURE() << "The test changed the current folder from " << before_.folder << " to "
                          << after.folder << " " << after.folderError;
            std::error_code ec;
            std::filesystem::current_path(before_.folder, ec);
        }
        if (after.environment != before_.environment)
            ADD_FAILURE() << "The test changed the environment: it removed "
                          << missing(before_.environment, after.environment) << " and added "
                          << missing(after.environment, before_.environment);
        if (after.cxxLocale != before_.cxxLocale) {
            ADD_FAILURE() << "The test changed the global C++ locale from \"" << before_.cxxLocale
                          << "\" to \"" << after.cxxLocale << "\"";
            std::locale::global(std::locale(before_.cxxLocale));
        }
        if (after.cLocale != before_.cLocale) {
            ADD_FAILURE() << "The test changed the C locale from \"" << before_.cLocale
                          << "\" to \"" << after.cLocale << "\"";
            std::setlocale(LC_ALL, before_.cLocale.c_str());
        }
        if (after.umask != before_.umask) {
            ADD_FAILURE() << "The test changed the umask from " << std::oct << before_.umask
                          << " to " << after.umask;
            setUmask(before_.umask);
        }
    }

    ProcessState before_;
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new UnchangedProcess);
    return true;
}();

}  // namespace
}  // namespace quorlin::test
