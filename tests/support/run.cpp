#include "support/run.h"

#include <fstream>
#include <random>
#include <sstream>

#include "app/cli/cli.h"
#include "app/core/driver.h"
#include "util/basic.h"

namespace quorlin::test {

TempDir::TempDir() {
    std::random_device rd;
    path_ = std::filesystem::temp_directory_path() / ("quorlin_test_" + std::to_string(rd()));
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& data) const {
    writeFile(path_ / name, data);
}
std::string TempDir::read(const std::string& name) const {
    return readFile(path_ / name);
}
bool TempDir::exists(const std::string& name) const {
    return std::filesystem::exists(path_ / name);
}

std::map<std::string, std::string> TempDir::snapshot() const {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(path_))
        if (entry.is_regular_file())
            files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

std::string readFile(const std::filesystem::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

std::string testData(const std::string& relative) {
    return readFile(std::filesystem::path(QUORLIN_TEST_DATA) / relative);
}

void writeFile(const std::filesystem::path& p, const std::string& data) {
    std::ofstream out(p, std::ios::binary);
    out << data;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

void runPcb(PcbRun& run, const TempDir& dir, const std::string& board, const Form& options) {
    initchars();
    dir.write("board.pcb", board);
    run.session.form = options;
    run.session.form.fnme = dir.file("board.pcb");
    Commands_Click(run.session, 0);
}

CliResult runCliArgs(std::vector<std::string> args) {
    args.insert(args.begin(), "quorlin-cli");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const int code = runCli(static_cast<int>(argv.size()), argv.data(), out, err);
    return {code, out.str(), err.str()};
}

}  // namespace quorlin::test
