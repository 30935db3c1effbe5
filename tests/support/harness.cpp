#include "support/harness.h"

#include <fstream>
#include <random>
#include <sstream>
#include <thread>

#include "app/cli/cli.h"
#include "util/text.h"

namespace quorlin::test {

namespace fs = std::filesystem;

std::string readFile(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    std::ostringstream ss;
    ss << in.rdbuf();
    return ss.str();
}

void writeFile(const fs::path& p, const std::string& data) {
    std::ofstream out(p, std::ios::binary);
    out << data;
}

std::string testData(const std::string& relative) {
    return readFile(fs::path(QUORLIN_TEST_DATA) / relative);
}

Files snapshot(const fs::path& root) {
    Files files;
    std::error_code ec;
    for (const auto& e : fs::recursive_directory_iterator(root, ec))
        if (e.is_regular_file())
            files[fs::relative(e.path(), root).generic_string()] = readFile(e.path());
    return files;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    forEachLine(text, [&](std::string_view line) { lines.push_back(line); });
    return lines;
}

std::string crlf(const std::vector<std::string>& lines) {
    std::string s;
    for (const auto& l : lines) s += l + "\r\n";
    return s;
}

TempDir::TempDir() {
    std::random_device rd;
    path_ = fs::temp_directory_path() / ("quorlin_test_" + std::to_string(rd()));
    fs::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    fs::permissions(path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(path_, ec);
}

void TempDir::write(const std::string& name, const std::string& data) const {
    fs::create_directories((path_ / name).parent_path());
    writeFile(path_ / name, data);
}

CliResult runCliIn(const TempDir& dir, std::vector<std::string> args,
                   const std::function<void(JobTuning&)>& tune, bool terminal) {
    args.insert(args.begin(), "quorlin-cli");
    std::vector<const char*> argv;
    for (const auto& a : args) argv.push_back(a.c_str());
    std::ostringstream out, err;
    const fs::path previous = fs::current_path();
    fs::current_path(dir.path());
    const int code =
        runCli(static_cast<int>(argv.size()), argv.data(), out, err, tune, terminal, terminal);
    fs::current_path(previous);
    return {code, out.str(), err.str()};
}

const FaultyFileSystem::Fault* FaultyFileSystem::hit(unsigned op, const std::string& path) const {
    for (const Fault& f : faults) {
        bool match = path == f.path;
        if (f.path.ends_with('*'))
            match = path.starts_with(std::string_view(f.path).substr(0, f.path.size() - 1));
        else if (f.path.ends_with('/'))
            match = path.size() > f.path.size() &&
                    path.compare(0, f.path.size() - 1, f.path, 0, f.path.size() - 1) == 0 &&
                    path.find_first_of("/\\", f.path.size() - 1) == f.path.size() - 1 &&
                    path.find_first_of("/\\", f.path.size()) == std::string::npos;
        if (match && (f.ops & op)) return &f;
    }
    return nullptr;
}

bool FaultyFileSystem::read(const std::string& path, std::string& out,
                            const std::function<void()>& between) {
    return !hit(Read, path) && FileSystem::read(path, out, between);
}

std::unique_ptr<FileReader> FaultyFileSystem::openRead(const std::string& path) {
    return hit(Read, path) ? nullptr : FileSystem::openRead(path);
}

bool FaultyFileSystem::writeAtomic(const std::string& path, std::string_view data) {
    std::this_thread::sleep_for(delay);
    if (const Fault* f = hit(Write, path)) {
        if (f->halfWritten) FileSystem::writeAtomic(path, data.substr(0, data.size() / 2));
        return false;
    }
    return FileSystem::writeAtomic(path, data);
}

namespace {

// A write fails on a faulty path, after half of its data where the fault says so.
class FaultyFile : public NewFile {
  public:
    FaultyFile(FaultyFileSystem& fs, std::string path, std::unique_ptr<NewFile> file)
        : fs_(fs), path_(std::move(path)), file_(std::move(file)) {}
    bool write(std::string_view data) override {
        std::this_thread::sleep_for(fs_.delay);
        if (const FaultyFileSystem::Fault* f = fs_.hit(FaultyFileSystem::Write, path_)) {
            if (f->halfWritten) file_->write(data.substr(0, data.size() / 2));
            return false;
        }
        return file_->write(data);
    }
    bool close() override { return file_->close(); }

  private:
    FaultyFileSystem& fs_;
    std::string path_;
    std::unique_ptr<NewFile> file_;
};

}  // namespace

std::unique_ptr<NewFile> FaultyFileSystem::createNew(const std::string& path) {
    // A full disk still takes new files; a folder that may not be written takes none.
    if (const Fault* f = hit(Write, path); f && !f->halfWritten) return nullptr;
    std::unique_ptr<NewFile> file = FileSystem::createNew(path);
    if (!file) return nullptr;
    return std::make_unique<FaultyFile>(*this, path, std::move(file));
}

bool FaultyFileSystem::rename(const std::string& from, const std::string& to) {
    return !hit(Rename, from) && !hit(Rename, to) && FileSystem::rename(from, to);
}

bool FaultyFileSystem::remove(const std::string& path) {
    return !hit(Remove, path) && FileSystem::remove(path);
}

FileSystem::Entry FaultyFileSystem::entry(const std::string& path) {
    const Entry e = FileSystem::entry(path);
    // Deleted between the job's existence check and its read.
    if (hit(Vanish, path)) fs::remove(path);
    return e;
}

}  // namespace quorlin::test
