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

// Draws source into output, its pieces written as they come, and commits the drawing; "" or
// what went wrong.
std::string drawAndCommit(Outputs& out, const std::string& source, const std::string& output,
                          const std::function<void()>& tick, const AresStyles* styles) {
    const std::string failed = drawPreview(
        out, source, output,
        [&] {
            out.spill();
            if (tick) tick();
        },
        styles);
    if (!failed.empty()) return failed;
    const std::string path = out.commit(tick);
    return path.empty() ? "" : "Cannot write file: " + path;
}

}  // namespace

std::string drawPreview(Outputs& out, const std::string& source, const std::string& output,
                        const std::function<void()>& between, const AresStyles* styles) {
    std::unique_ptr<FileReader> reader = fileSystem().openRead(source);
    std::string& svg = out.create(output);
    if (!reader || !drawRegion(*reader, svg, between, nullptr, styles))
        return "Cannot read file: " + source;
    return "";
}

std::string readPreviewStyles(const std::string& path, AresStyles& styles) {
    // A style file holds some hundred styles; one this large is no style file.
    constexpr size_t kMost = size_t{16} << 20;
    const std::string unread =
        "Cannot read the style file " + path + ": styles drawn from their names only";
    std::unique_ptr<FileReader> file = fileSystem().openRead(path);
    if (!file) return unread;
    std::string text, piece;
    do {
        if (!file->read(piece, size_t{1} << 20) || text.size() + piece.size() > kMost)
            return unread;
        text += piece;
    } while (!piece.empty());
    styles = readAresStyles(text);
    return "";
}

const AresStyles* windowPreviewStyles(const std::string& box, AresStyles& styles,
                                      std::string& problem) {
    problem.clear();
    if (box.empty() || fileSystem().absent(box)) return nullptr;
    problem = readPreviewStyles(box, styles);
    return problem.empty() ? &styles : nullptr;
}

void writeJobPreview(Job& s, const std::string& base) {
    const std::string output = base + ".svg";
    s.status("Writing the board preview");
    const std::string failed = drawAndCommit(
        s.out, base + ".rgn", output, [&s] { s.processEvents(); }, nullptr);
    s.out.clear();
    if (failed.empty())
        s.result.written.push_back(output);
    else
        s.status("The board preview was not written: " + failed);
}

Loaded loadPreview(const std::string& path, std::string& document, std::vector<std::string>& layers,
                   size_t most, const AresStyles* styles) {
    std::unique_ptr<FileReader> file = fileSystem().openRead(path);
    if (!file) return Loaded::Unreadable;
    LimitedReader reader(*file, most);
    document.clear();
    if (drawRegion(reader, document, {}, &layers, styles)) return Loaded::Shown;
    document.clear();
    return reader.exceeded() ? Loaded::TooLarge : Loaded::Unreadable;
}

std::string writePreviewFile(const std::string& source, const std::string& output,
                             const std::function<void()>& tick, const AresStyles* styles) {
    Outputs out;
    if (tick) out.setWaitingTick(tick);
    return drawAndCommit(out, source, output, tick, styles);
}

}  // namespace quorlin
