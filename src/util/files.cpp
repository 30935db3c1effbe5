#include "util/files.h"

#include <atomic>

#include "util/platform.h"

namespace quorlin {

namespace {

FileSystem& realFileSystem() {
    static FileSystem fs;
    return fs;
}

FileSystem* current = nullptr;

}  // namespace

std::string tempNameFor(const std::string& path) {
    static std::atomic<unsigned> counter = 0;
    return path + ".tmp" + std::to_string(platform::processId()) + "_" + std::to_string(++counter);
}

FileSystem& fileSystem() {
    return current ? *current : realFileSystem();
}

FileSystem* setFileSystem(FileSystem* fs) {
    FileSystem* previous = current;
    current = fs;
    return previous;
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
        item->patches.clear();
        dropTemp(*item);
        return item->data;
    }
    items_.push_back({path, Kind::Create, {}, {}, {}, false, {}});
    return items_.back().data;
}

std::string& Outputs::append(const std::string& path) {
    if (Item* item = find(path)) {
        if (item->kind == Kind::Remove) {
            item->kind = Kind::Append;
            item->data.clear();
        }
        return item->data;
    }
    items_.push_back({path, Kind::Append, {}, {}, {}, false, {}});
    return items_.back().data;
}

void Outputs::remove(const std::string& path) {
    if (Item* item = find(path)) {
        settle();
        item->kind = Kind::Remove;
        item->data.clear();
        item->data.shrink_to_fit();
        item->patches.clear();
        dropTemp(*item);
        return;
    }
    items_.push_back({path, Kind::Remove, {}, {}, {}, false, {}});
}

void Outputs::replaceWithBackup(const std::string& path, const std::string& backupPath,
                                std::string data) {
    if (Item* item = find(path)) {
        settle();
        // The file would be both this and another output (a style file named like the region
        // file): one of them would be lost.
        if (item->kind != Kind::Remove && twice_.empty()) twice_ = path;
        item->kind = Kind::ReplaceWithBackup;
        item->data = std::move(data);
        item->patches.clear();
        item->backup = backupPath;
        dropTemp(*item);
        return;
    }
    items_.push_back({path, Kind::ReplaceWithBackup, std::move(data), backupPath, {}, false, {}});
}

void Outputs::patch(const std::string& path, size_t offset, std::string text) {
    if (Item* item = find(path)) item->patches.emplace_back(offset, std::move(text));
}

bool Outputs::has(const std::string& path) const {
    for (const auto& item : items_)
        if (item.path == path) return true;
    return false;
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
    if (!item.temp.empty()) fileSystem().remove(item.temp);
    item.temp.clear();
    item.lost = false;
}

void Outputs::clear() {
    settle();
    for (auto& item : items_) dropTemp(item);
    items_.clear();
    twice_.clear();
    watched_.clear();
    watcher_ = nullptr;
}

void Outputs::watch(const std::string& path, std::function<void(std::string_view)> reader) {
    settle();
    watched_ = path;
    watcher_ = std::move(reader);
}

void Outputs::unwatch() {
    settle();
    if (Item* item = find(watched_); item && watcher_) watcher_(item->data);
    watched_.clear();
    watcher_ = nullptr;
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
        if (spare_.size() < 2) {
            p.text.clear();
            spare_.push_back(std::move(p.text));
        }
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
        const bool fresh = item.temp.empty();
        if (fresh) item.temp = tempNameFor(item.path);
        pieces.push_back({&item, fresh, false, std::move(item.data)});
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
        FileSystem& fs = fileSystem();
        for (Piece& p : writing_) {
            p.written = fs.appendChunk(p.item->temp, p.text, p.fresh);
            if (watcher_ && p.item->path == watched_) watcher_(p.text);
        }
    });
}

std::string Outputs::commitNow() {
    FileSystem& fs = fileSystem();
    auto fail = [&](const Item& item) {
        for (auto& each : items_) dropTemp(each);
        return item.path;
    };
    // Nothing a user protected is touched, and no rename can fail on a directory later.
    for (const auto& item : items_) {
        if (!fs.mayReplace(item.path)) return fail(item);
        if (item.kind == Kind::ReplaceWithBackup &&
            fs.entry(item.path) != FileSystem::Entry::None && !fs.mayReplace(item.backup))
            return fail(item);
    }

    // Stage every new content in full; a failure here changes nothing.
    for (auto& item : items_) {
        if (item.kind == Kind::Remove) continue;
        if (item.lost) return fail(item);
        if (item.kind == Kind::Append) {
            std::string old;
            if (fs.entry(item.path) != FileSystem::Entry::None && !fs.read(item.path, old))
                return fail(item);
            item.data.insert(0, old);
        }
        bool staged = false;
        if (!item.temp.empty()) {
            staged = fs.appendChunk(item.temp, item.data, false);
        } else {
            item.temp = tempNameFor(item.path);
            staged = fs.writeAtomic(item.temp, item.data);
        }
        for (const auto& [offset, text] : item.patches)
            staged = staged && fs.writeAt(item.temp, offset, text);
        if (!staged) return fail(item);
    }

    // The style file first: its locked backup is the likeliest failure left.
    for (auto& item : items_) {
        if (item.kind != Kind::ReplaceWithBackup) continue;
        const bool hadFile = fs.entry(item.path) != FileSystem::Entry::None;
        if (hadFile && (!fs.remove(item.backup) || !fs.rename(item.path, item.backup)))
            return fail(item);
        if (!fs.rename(item.temp, item.path)) {
            if (hadFile) fs.rename(item.backup, item.path);
            return fail(item);
        }
        item.temp.clear();
    }
    for (auto& item : items_) {
        if (item.kind == Kind::ReplaceWithBackup) continue;
        const bool done =
            item.kind == Kind::Remove ? fs.remove(item.path) : fs.rename(item.temp, item.path);
        if (!done) return fail(item);
        item.temp.clear();
    }
    return "";
}

}  // namespace quorlin
