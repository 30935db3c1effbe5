#include "app/core/preview.h"

#include "preview/preview.h"
#include "util/platform.h"

namespace quorlin {

namespace {

// Reads another reader's first `most` bytes and fails past them, so a window learns that a
// file is too large to show before reading much more.
class LimitedReader : public FileReader {
  public:
    LimitedReader(FileReader& file, size_t most) : file_(file), most_(most) {}
    bool read(std::string& out, size_t most) override {
        if (!file_.read(out, most)) return false;
        read_ += out.size();
        exceeded_ = exceeded_ || read_ > most_;
        return !exceeded_;
    }
    bool rewind() override {
        read_ = 0;
        return file_.rewind();
    }
    bool exceeded() const { return exceeded_; }

  private:
    FileReader& file_;
    size_t most_, read_ = 0;
    bool exceeded_ = false;
};

}  // namespace

std::string drawPreview(Outputs& out, const std::string& source, const std::string& output,
                        const std::function<void()>& between) {
    std::unique_ptr<FileReader> reader = fileSystem().openRead(source);
    std::string& svg = out.create(output);
    if (!reader || !drawRegion(*reader, svg, between)) return "Cannot read file: " + source;
    return "";
}

void writeJobPreview(Job& s, const std::string& base) {
    const std::string output = base + ".svg";
    s.status("Writing the board preview");
    std::string failed = drawPreview(s.out, base + ".rgn", output, [&s] {
        s.out.spill();
        s.processEvents();
    });
    if (failed.empty()) {
        const std::string path = s.out.commit([&s] { s.processEvents(); });
        if (!path.empty()) failed = "Cannot write file: " + path;
    }
    s.out.clear();
    if (failed.empty())
        s.result.written.push_back(output);
    else
        s.status("The board preview was not written: " + failed);
}

Loaded loadPreview(const std::string& path, std::string& document, std::vector<std::string>& layers,
                   size_t most) {
    std::unique_ptr<FileReader> file = fileSystem().openRead(path);
    if (!file) return Loaded::Unreadable;
    LimitedReader reader(*file, most);
    document.clear();
    if (drawRegion(reader, document, {}, &layers)) return Loaded::Shown;
    document.clear();
    return reader.exceeded() ? Loaded::TooLarge : Loaded::Unreadable;
}

std::string writePreviewFile(const std::string& source, const std::string& output,
                             const std::function<void()>& tick) {
    Outputs out;
    if (tick) out.setWaitingTick(tick);
    std::string failed = drawPreview(out, source, output, [&] {
        out.spill();
        if (tick) tick();
    });
    if (!failed.empty()) return failed;
    const std::string path = out.commit(tick);
    return path.empty() ? "" : "Cannot write file: " + path;
}

}  // namespace quorlin
