#include "util/files.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <random>

#include "util/commitrecord.h"
#include "util/platform.h"

namespace quorlin {

namespace {

FileSystem& realFileSystem() {
    static FileSystem fs;
    return fs;
}

FileSystem* current = nullptr;
std::function<void()> commitStepHook;

// Written through the file system's own calls, so a test's faults reach it. The file is
// created at the first write.
class NamedStagedFile : public StagedFile {
  public:
    NamedStagedFile(FileSystem& fs, std::string target) : fs_(fs), target_(std::move(target)) {}
    ~NamedStagedFile() override {
        file_.reset();
        if (!named_ && !temp_.empty()) fs_.remove(temp_);
    }
    bool append(std::string_view data) override { return open() && file_->write(data); }
    std::string name() override {
        if (!open() || !file_->close()) return "";
        file_.reset();
        named_ = true;
        return temp_;
    }

  private:
    bool open() {
        if (!file_ && temp_.empty()) file_ = fs_.createTemp(target_, temp_);
        return file_ != nullptr;
    }
    FileSystem& fs_;
    std::string target_, temp_;
    std::unique_ptr<NewFile> file_;
    bool named_ = false;
};

class TextReader : public FileReader {
  public:
    explicit TextReader(std::string text) : text_(std::move(text)) {}
    bool read(std::string& out, size_t most) override {
        out.assign(text_, at_, most);
        at_ += out.size();
        return true;
    }
    bool rewind() override {
        at_ = 0;
        return true;
    }

  private:
    std::string text_;
    size_t at_ = 0;
};

}  // namespace

std::unique_ptr<FileReader> textReader(std::string text) {
    return std::make_unique<TextReader>(std::move(text));
}

std::unique_ptr<StagedFile> FileSystem::stageNamed(const std::string& path) {
    return std::make_unique<NamedStagedFile>(*this, path);
}

std::unique_ptr<NewFile> FileSystem::createTemp(const std::string& target, std::string& name) {
    // Another name is tried only where one was taken, by chance or by a planted file.
    for (int tries = 0; tries < 8; ++tries) {
        name = tempNameFor(target);
        if (auto file = createNew(name)) return file;
    }
    name.clear();
    return nullptr;
}

bool FileSystem::writeAtomic(const std::string& path, std::string_view data) {
    std::string temp;
    std::unique_ptr<NewFile> file = createTemp(path, temp);
    if (!file) return false;
    bool ok = file->write(data);
    ok = file->close() && ok;
    file.reset();
    if (ok) ok = rename(temp, path);
    if (!ok) remove(temp);
    return ok;
}

std::vector<std::string> FileSystem::list(const std::string& dir) {
    std::vector<std::string> names;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(platform::toPath(dir), ec), end; !ec && it != end;
         it.increment(ec))
        names.push_back(platform::fromPath(it->path().filename()));
    // In name order: a folder's listing order differs between file systems, and what is found
    // (records of interrupted jobs) is acted on and reported in this order.
    std::sort(names.begin(), names.end());
    return names;
}

void setCommitStepHook(std::function<void()> hook) {
    commitStepHook = std::move(hook);
}

std::string tempNameFor(const std::string& path) {
    // The system's own randomness, not a generator whose next names its last ones tell.
    static std::mutex mutex;
    static std::random_device random;
    uint64_t unguessable = 0;
    {
        std::lock_guard lock(mutex);
        unguessable = (uint64_t{random()} << 32 | random()) >> 4;  // at most 18 digits
    }
    return path + ".tmp" + std::to_string(platform::processId()) + "_" +
           std::to_string(unguessable);
}

FileSystem& fileSystem() {
    return current ? *current : realFileSystem();
}

FileSystem* setFileSystem(FileSystem* fs) {
    FileSystem* previous = current;
    current = fs;
    return previous;
}

Outputs::Item& Outputs::add(const std::string& path, Kind kind) {
    Item& item = items_.emplace_back();
    item.path = path;
    item.kind = kind;
    return item;
}

Outputs::Item* Outputs::find(const std::string& path) {
    for (auto& item : items_)
        if (item.path == path) return &item;
    return nullptr;
}

std::string& Outputs::create(const std::string& path) {
    if (Item* item = find(path)) {
        settle();
        if (item->kind == Kind::Create && twice_.empty()) twice_ = path;
        item->kind = Kind::Create;
        item->data.clear();
        dropTemp(*item);
        return item->data;
    }
    return add(path, Kind::Create).data;
}

std::string& Outputs::append(const std::string& path) {
    if (Item* item = find(path)) {
        if (item->kind == Kind::Remove) {
            item->kind = Kind::Append;
            item->data.clear();
        }
        return item->data;
    }
    return add(path, Kind::Append).data;
}

void Outputs::remove(const std::string& path) {
    if (Item* item = find(path)) {
        settle();
        item->kind = Kind::Remove;
        item->data.clear();
        item->data.shrink_to_fit();
        dropTemp(*item);
        return;
    }
    add(path, Kind::Remove);
}

void Outputs::replaceWithBackup(const std::string& path, const std::string& backupPath,
                                std::string data, const std::string& keepOlderAs) {
    if (Item* item = find(path)) {
        settle();
        // The file would be both this and another output (a style file named like the region
        // file): one of them would be lost.
        if (item->kind != Kind::Remove && twice_.empty()) twice_ = path;
        item->kind = Kind::ReplaceWithBackup;
        item->data = std::move(data);
        item->backup = backupPath;
        item->keepOlderAs = keepOlderAs;
        dropTemp(*item);
        return;
    }
    Item& item = add(path, Kind::ReplaceWithBackup);
    item.data = std::move(data);
    item.backup = backupPath;
    item.keepOlderAs = keepOlderAs;
}

bool Outputs::has(const std::string& path) const {
    for (const auto& item : items_)
        if (item.path == path) return true;
    return false;
}

std::vector<std::string> Outputs::targets() const {
    std::vector<std::string> paths;
    for (const auto& item : items_)
        if (item.kind != Kind::Remove) paths.push_back(item.path);
    return paths;
}

std::string Outputs::clash(const std::vector<std::string>& inputs) const {
    if (!twice_.empty()) return twice_;
    for (size_t i = 0; i < items_.size(); ++i) {
        for (const auto& input : inputs)
            if (platform::samePath(items_[i].path, input)) return items_[i].path;
        for (size_t j = 0; j < i; ++j)
            if (platform::samePath(items_[i].path, items_[j].path)) return items_[i].path;
        if (!items_[i].backup.empty()) {
            for (const auto& input : inputs)
                if (platform::samePath(items_[i].backup, input)) return items_[i].backup;
        }
    }
    return "";
}

std::string Outputs::commit(const std::function<void()>& tick) {
    settle();
    if (!tick) return commitNow();
    std::string failed;
    worker().start([this, &failed] { failed = commitNow(); });
    worker().wait(tick);
    return failed;
}

Worker& Outputs::worker() {
    if (!worker_) worker_ = std::make_unique<Worker>();
    return *worker_;
}

void Outputs::dropTemp(Item& item) {
    item.staged.reset();
    if (!item.temp.empty()) fileSystem().remove(item.temp);
    item.temp.clear();
    item.lost = false;
}

void Outputs::clear() {
    settle();
    for (auto& item : items_) dropTemp(item);
    items_.clear();
    twice_.clear();
    sources_.clear();
}

void Outputs::settle() {
    if (writing_.empty()) return;
    worker().wait(waitingTick_);
    for (Piece& p : writing_) {
        if (!p.written) {
            // Free the disk at once; commit() reports the file.
            dropTemp(*p.item);
            p.item->lost = true;
        }
        // A few buffers serve every file: a file that is done with keeps none of them.
        p.text.clear();
        if (spare_.size() < 2) spare_.push_back(std::move(p.text));
    }
    writing_.clear();
}

void Outputs::spill() {
    // One piece per file at a time: the worker may still hold the last one.
    settle();
    std::vector<Piece> pieces;
    for (auto& item : items_) {
        if (item.kind != Kind::Create || item.data.size() < spillBytes_) continue;
        if (item.lost) {
            item.data.clear();
            continue;
        }
        if (!item.staged) item.staged = fileSystem().stage(item.path);
        pieces.push_back({&item, false, std::move(item.data)});
        // The job goes on in a buffer an earlier piece left, which the cache still holds.
        item.data.clear();
        if (!spare_.empty()) {
            item.data.swap(spare_.back());
            spare_.pop_back();
        }
    }
    if (pieces.empty()) return;
    // The pieces and the twins' names are the worker's until settle().
    writing_ = std::move(pieces);
    worker().start([this] {
        for (Piece& p : writing_) p.written = p.item->staged->append(p.text);
    });
}

std::string Outputs::commitNow() {
    FileSystem& fs = fileSystem();
    std::string record;
    auto fail = [&](const std::string& path) {
        for (auto& each : items_) dropTemp(each);
        if (!record.empty()) fs.remove(record);
        return path;
    };
    // Nothing a user protected is touched, and no rename can fail on a directory later.
    // An older backup that is kept moves, never over anything that took its new name since.
    for (const auto& item : items_) {
        if (!fs.mayReplace(item.path)) return fail(item.path);
        if (item.kind != Kind::ReplaceWithBackup) continue;
        if (!item.keepOlderAs.empty() && !fs.absent(item.keepOlderAs))
            return fail(item.keepOlderAs);
        if (item.keepOlderAs.empty() && fs.entry(item.path) != FileSystem::Entry::None &&
            !fs.mayReplace(item.backup))
            return fail(item.path);
    }

    // Stage every new content in full; a failure here changes nothing.
    for (auto& item : items_) {
        if (item.kind == Kind::Remove) continue;
        if (item.lost) return fail(item.path);
        if (item.kind == Kind::Append) {
            // An earlier file linked elsewhere would copy whatever it reaches into the output.
            std::string old;
            if (fs.linkedOutside(item.path) ||
                (fs.entry(item.path) != FileSystem::Entry::None && !fs.read(item.path, old)))
                return fail(item.path);
            item.data.insert(0, old);
        }
        if (!item.staged) item.staged = fs.stage(item.path);
        if (!item.staged->append(item.data)) return fail(item.path);
    }
    // Named only now: a kill before this leaves no file of the job behind where the system
    // stages unnamed.
    for (auto& item : items_) {
        if (!item.staged) continue;
        item.temp = item.staged->name();
        item.staged.reset();
        if (item.temp.empty()) return fail(item.path);
    }

    // The style file first: its locked backup is the likeliest failure left. An older backup
    // that is kept moves just before it: a record's finisher takes that move only while the
    // style file's own step is still due.
    struct Planned {
        CommitStep step;
        Item* item;
        bool keepsOlder;  // the move of the item's older backup
    };
    std::vector<Planned> planned;
    for (auto& item : items_) {
        if (item.kind != Kind::ReplaceWithBackup) continue;
        if (!item.keepOlderAs.empty())
            planned.push_back({{item.backup, item.keepOlderAs, ""}, &item, true});
        planned.push_back({{item.temp, item.path, item.backup}, &item, false});
    }
    for (auto& item : items_)
        if (item.kind != Kind::ReplaceWithBackup)
            planned.push_back({{item.temp, item.path, item.backup}, &item, false});
    std::vector<CommitStep> steps;
    for (const Planned& p : planned) steps.push_back(p.step);
    if (!sources_.empty()) {
        const std::string path = commitRecordNameFor(sources_.front());
        if (!fs.writeAtomic(path, commitRecordText(sources_, steps))) return fail(path);
        record = path;
    }
    for (size_t i = 0; i < planned.size(); ++i) {
        const Planned& p = planned[i];
        if (!takeCommitStep(p.step)) {
            // A style file that kept its place gets its older backup back.
            const bool moved = i > 0 && planned[i - 1].keepsOlder;
            if (moved && fs.absent(p.item->backup)) fs.rename(p.item->keepOlderAs, p.item->backup);
            return fail(p.item->path);
        }
        if (!p.keepsOlder) p.item->temp.clear();
        if (commitStepHook) commitStepHook();
    }
    if (!record.empty()) fs.remove(record);
    return "";
}

}  // namespace quorlin
