#include "job/session.h"

#include "util/commitrecord.h"
#include "util/text.h"

namespace quorlin {

void Session::status(std::string_view text) {
    form.errorbox = std::string(text);
    host_.statusChanged(form.errorbox);
}

void Session::fail(std::string_view text) {
    form.errorbox = std::string(text);
    host_.failure(form.errorbox);
    host_.beep();
    failed = true;
}

void Session::spinme(int index) {
    if (index == 0) {
        spincount = 0;
        form.spinner.clear();
        return;
    }
    if (++spincount >= 3200) spincount = 0;
    if (spincount % 400 == 0) {
        static const char* const kFrames[] = {"--", "\\", "|", "/"};
        form.spinner = kFrames[(spincount / 400) % 4];
    }
    // The writers turn the spinner between records: a safe moment to hand large outputs over.
    out.maybeSpill();
    host_.processEvents();
}

void Session::reportHeading(std::string_view heading, size_t fileDashes) {
    std::string& file = report();
    file.append(heading).append(kCrLf).append(fileDashes, '-').append(kCrLf);
    form.reportbox.append(heading).append(kCrLf).append(58, '-').append(kCrLf);
}

void Session::reportLine(std::string_view line) {
    report().append(line).append(kCrLf);
    form.reportbox.append(line).append(kCrLf);
}

void Session::reportEnd() {
    report().append(kCrLf);
    form.reportbox.append(kCrLf);
}

void Session::trashLine(std::string_view line) {
    trash().append(line).append(kCrLf);
    trashempty = false;
}

bool Session::readInput(const std::string& path, std::string& data) {
    if (fileSystem().read(path, data)) return true;
    fail("Cannot read file: " + path);
    return false;
}

void Session::finishInterrupted(const std::vector<std::string>& sources) {
    for (const std::string& source : sources) {
        const InterruptedCommits found = finishInterruptedCommits(source);
        // Long enough to be read in the window before the job's own lines follow.
        auto tell = [this](const std::string& text) {
            status(text);
            processEvents();
            pause(100);
        };
        for (const std::string& done : found.completed)
            tell("Completed an interrupted conversion: " + done);
        for (const std::string& record : found.unfinished)
            tell("Cannot complete an interrupted conversion: " + record);
    }
}

bool Session::commitOutputs(const std::vector<std::string>& inputs) {
    const std::string clash = out.clash(inputs);
    if (!clash.empty()) {
        out.clear();
        fail("Output file name clash: " + clash);
        return false;
    }
    if (!inputs.empty()) out.setSource(inputs.front());
    const std::string failedPath = out.commit([this] { host_.processEvents(); });
    out.clear();
    if (!failedPath.empty()) {
        fail("Cannot write file: " + failedPath);
        return false;
    }
    return true;
}

void bumpCount(std::string& box) {
    // Digits only: bump in place; anything else is re-read as a number first.
    bool digits = !box.empty();
    for (char c : box) digits = digits && c >= '0' && c <= '9';
    if (!digits) box = std::to_string(leadingInt(box));
    size_t i = box.size();
    while (i > 0 && box[i - 1] == '9') box[--i] = '0';
    if (i == 0)
        box.insert(box.begin(), '1');
    else
        ++box[i - 1];
}

}  // namespace quorlin
