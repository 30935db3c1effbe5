// Every test leaves the process as it found it: a test that changes the current folder, the
// environment, the locale or the umask makes the tests after it pass or fail by their order, and
// ctest, which runs each test in a process of its own, would never show it.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <locale>
#include <map>
#include <sstream>

#include "support/system.h"

namespace quorlin::test {
namespace {

std::map<std::string, std::string> processState() {
    std::error_code ec;
    std::ostringstream umask;
    umask << std::oct << exchangeUmask(0);
    exchangeUmask(static_cast<unsigned>(std::stoul(umask.str(), nullptr, 8)));
    return {{"current folder", std::filesystem::current_path(ec).string()},
            {"environment", environmentLines()},
            {"global C++ locale", std::locale().name()},
            {"C locale", std::setlocale(LC_ALL, nullptr)},
            {"umask", umask.str()}};
}

// The lines of one value that the other lacks: what changed in an environment.
std::string linesOnlyIn(const std::string& value, const std::string& other) {
    std::istringstream lines(value);
    std::string only;
    for (std::string line; std::getline(lines, line);)
        if (("\n" + other + "\n").find("\n" + line + "\n") == std::string::npos)
            only += (only.empty() ? "" : " ") + line;
    return "\"" + only + "\"";
}

class UnchangedProcess : public testing::EmptyTestEventListener {
    void OnTestStart(const testing::TestInfo&) override { before_ = processState(); }
    void OnTestEnd(const testing::TestInfo&) override {
        for (const auto& [what, after] : processState())
            if (after != before_[what])
                ADD_FAILURE() << "The test changed the " << what << ": before "
                              << linesOnlyIn(before_[what], after) << ", after "
                              << linesOnlyIn(after, before_[what]);
        // Put back, so that the change fails this test alone.
        std::error_code ec;
        std::filesystem::current_path(before_["current folder"], ec);
        if (std::locale().name() != before_["global C++ locale"])
            std::locale::global(std::locale(before_["global C++ locale"]));
        std::setlocale(LC_ALL, before_["C locale"].c_str());
        exchangeUmask(static_cast<unsigned>(std::stoul(before_["umask"], nullptr, 8)));
    }
    std::map<std::string, std::string> before_;
};

const bool registered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new UnchangedProcess);
    return true;
}();

}  // namespace
}  // namespace quorlin::test
