// The one file layer of the core: whole-file reads, atomic writes, and the batch of outputs a
// job builds and commits at its end. Tests swap the FileSystem to inject faults.
#pragma once

#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "util/worker.h"

namespace quorlin {

// The new contents of one file, written piece by piece before they take the file's place. Where
// the system allows, they have no name until name() gives them one, so a process killed before
// then leaves nothing behind.
class StagedFile {
  public:
    virtual ~StagedFile() = default;  // deletes the contents unless named
    virtual bool append(std::string_view data) = 0;
    // Gives the contents a temporary name beside their target and returns it; "" on failure.
    // From then on that file is the caller's.
    virtual std::string name() = 0;
};

// A file this process created new, written through one handle from its first byte to its last:
// nobody can have put a link under its name for the writes to follow.
class NewFile {
  public:
    virtual ~NewFile() = default;  // closes the file
    virtual bool write(std::string_view data) = 0;
    // False when the system could not finish the writes.
    virtual bool close() = 0;
};

// A regular file read from its start in pieces, as often as asked: several passes over a file
// too large to hold.
class FileReader {
  public:
    virtual ~FileReader() = default;  // closes the file
    // The next bytes, at most `most`, in place of out's text; out is empty at the end. False when
    // the system could not read.
    virtual bool read(std::string& out, size_t most) = 0;
    // Back to the first byte.
    virtual bool rewind() = 0;
};

// Pieces of a text held in memory.
std::unique_ptr<FileReader> textReader(std::string text);

// How much FileSystem::read reads at a time: a few milliseconds of work.
inline constexpr size_t kReadPiece = size_t{4} << 20;

class FileSystem {
  public:
    virtual ~FileSystem() = default;
    // False when the file cannot be opened or read to its end, or is not a regular file (a
    // pipe is not waited for). The file is read a few megabytes at a time, between() called
    // after each: a window stays alive while a large file is read.
    virtual bool read(const std::string& path, std::string& out,
                      const std::function<void()>& between = {});
    // The same file for reading in pieces; null where read() would fail at once.
    virtual std::unique_ptr<FileReader> openRead(const std::string& path);
    // The same for a regular file that is not a link, of at most `most` bytes: what a look
    // through a folder may open. Nothing else is followed or waited for.
    virtual bool readPlain(const std::string& path, std::string& out, size_t most);
    // A regular file itself, not a link to one (nor, on Windows, a reparse point).
    virtual bool isPlainFile(const std::string& path);
    // True when path is a link to a file outside the folder that holds the link.
    virtual bool linkedOutside(const std::string& path);
    // Writes data to a new temporary file beside path and renames it over path.
    virtual bool writeAtomic(const std::string& path, std::string_view data);
    // New contents for path: unnamed where the system can (Linux), else stageNamed(path).
    virtual std::unique_ptr<StagedFile> stage(const std::string& path);
    // New contents for path in a new file named by tempNameFor(path).
    std::unique_ptr<StagedFile> stageNamed(const std::string& path);
    // Creates the file new: null when anything has the name already, a link included.
    virtual std::unique_ptr<NewFile> createNew(const std::string& path);
    // A new file under a fresh tempNameFor(target), which goes to name; null after a few names
    // were all taken or could not be created.
    std::unique_ptr<NewFile> createTemp(const std::string& target, std::string& name);
    virtual bool rename(const std::string& from, const std::string& to);
    // True when the file is gone afterwards (also when it never existed).
    virtual bool remove(const std::string& path);
    enum class Entry { None, File, Directory };
    virtual Entry entry(const std::string& path);
    // True when nothing stands at path. False for a device or a pipe, which are there though no
    // file, and for a path behind a folder that may not be searched, which the system hides.
    virtual bool absent(const std::string& path);
    // Names of the entries of a directory; none when it cannot be read.
    virtual std::vector<std::string> list(const std::string& dir);
    // False when path may not be replaced or deleted: a directory, or a file the user cannot
    // write or has marked read-only (no write bit at all, which holds even for root).
    virtual bool mayReplace(const std::string& path);
};

FileSystem& fileSystem();
// A new name beside path for its temporary twin: path + ".tmp" + process + "_" + random digits,
// which nobody can guess to put a link there first.
std::string tempNameFor(const std::string& path);
// Installs a replacement (tests); nullptr restores the real one. Returns the previous one.
FileSystem* setFileSystem(FileSystem* fs);
// Called after each rename or removal of a commit: lets a test end the process between two.
void setCommitStepHook(std::function<void()> hook);

// Outputs of one job, committed together at its end. A file is built in memory; past a few
// megabytes, spill() hands what it holds to the worker thread that appends it to the file's
// temporary twin, while the job fills a second buffer. So a region file of hundreds of megabytes
// is written from buffers the cache still holds, beside the job rather than after it, and never
// needs as much memory. Nothing but those twins is written before commit(), and they vanish
// with clear().
class Outputs {
  public:
    Outputs() = default;
    Outputs(const Outputs&) = delete;
    Outputs& operator=(const Outputs&) = delete;
    // Whoever the waiting tick served may be gone by now.
    ~Outputs() {
        waitingTick_ = nullptr;
        clear();
    }

    // Buffer of a file that replaces any old one. Creating one path twice in a job is a name
    // clash (two outputs would share the file), which clash() reports.
    std::string& create(const std::string& path);
    // Buffer of text appended to the file (to a file created earlier in this job if there is one).
    std::string& append(const std::string& path);
    // The file is deleted at commit (drops anything queued for it).
    void remove(const std::string& path);
    // The file at path is replaced by data; the old one becomes backupPath. An older backup is
    // deleted, or with keepOlderAs renamed there first, one more step of the commit (the job
    // names a free name). The new contents are written beside it first, so a failure loses
    // nothing.
    void replaceWithBackup(const std::string& path, const std::string& backupPath, std::string data,
                           const std::string& keepOlderAs = "");

    bool has(const std::string& path) const;
    // The files commit() writes (not those it deletes), in the order they were first named.
    std::vector<std::string> targets() const;

    // The job's sources: the commit record (see commitrecord.h) lists them and is written
    // beside the first, so that a job killed amid the renames is finished by the next one.
    // Without one, no record is kept.
    void setSources(std::vector<std::string> sources) { sources_ = std::move(sources); }

    // The first output path that equals one of inputs or another output; "" when none.
    std::string clash(const std::vector<std::string>& inputs) const;

    // All or nothing: every new file is first written in full to a temporary file beside its
    // target, and only when all are written do they take their places (style file first, as its
    // backup may be locked). A failure before that leaves every file as it was; a kill after it
    // leaves the commit record, which the next job finishes. Returns "" or the path that could
    // not be written. With a tick the files are written on a worker thread
    // while the calling thread calls tick every 10 ms: writing and renaming hundreds of
    // megabytes can keep the kernel busy for long stretches, and a window must stay alive.
    std::string commit(const std::function<void()>& tick = {});

    // Moves the text of every created file holding at least spillBytes() to its temporary twin.
    // Call it between records: text already handed over can no longer change. A write that fails
    // drops the file's text from then on, and commit() reports the file.
    void spill();
    // The same, every spillEvery-th call: cheap enough to call after every record.
    void maybeSpill() {
        if (++calls_ < spillEvery_) return;
        calls_ = 0;
        spill();
    }
    void setSpill(size_t bytes, unsigned every) {
        spillBytes_ = bytes;
        spillEvery_ = every;
    }
    // Waits until the pieces handed over are written, calling the waiting tick every 10 ms.
    void settle();
    // Called while spill() or settle() waits for the worker: a window keeps processing events.
    void setWaitingTick(std::function<void()> tick) { waitingTick_ = std::move(tick); }

    // Forgets every output and deletes the temporary files written for them.
    void clear();

  private:
    std::string commitNow();

    enum class Kind { Create, Append, Remove, ReplaceWithBackup };
    struct Item {
        std::string path;
        Kind kind = Kind::Create;
        std::string data;
        std::string backup;
        std::string keepOlderAs;             // where the older backup goes instead of being deleted
        std::unique_ptr<StagedFile> staged;  // text written so far, until named
        std::string temp;                    // the staged text's name, once named
        bool lost = false;                   // a spill failed: the text is incomplete
    };
    struct Piece {
        Item* item;
        bool written;
        std::string text;
    };
    Item& add(const std::string& path, Kind kind);
    Item* find(const std::string& path);
    // Deletes the item's temporary twin and forgets its spilled text.
    static void dropTemp(Item& item);
    Worker& worker();
    // A deque keeps the buffers handed out valid while more files are added.
    std::deque<Item> items_;
    std::string twice_;  // first path created twice
    std::vector<std::string> sources_;
    size_t spillBytes_ = size_t{4} << 20;
    unsigned spillEvery_ = 64, calls_ = 0;
    std::vector<Piece> writing_;      // pieces in the worker's hands
    std::vector<std::string> spare_;  // emptied buffers of written pieces
    std::function<void()> waitingTick_;
    // One thread for as long as the outputs live: a thread started for each piece wrote at half
    // the speed (the kernel paces a new writer's first pages harder).
    std::unique_ptr<Worker> worker_;
};

}  // namespace quorlin
