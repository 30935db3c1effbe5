#include "app/cli/batch.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <exception>
#include <filesystem>
#include <iomanip>
#include <mutex>
#include <numeric>
#include <ostream>
#include <sstream>
#include <thread>

#include "app/cli/clihost.h"
#include "util/files.h"
#include "util/platform.h"
#include "util/text.h"
#include "util/utf8.h"

namespace quorlin {

std::vector<std::string> expandSources(const std::vector<std::string>& names,
                                       std::string_view extension) {
    FileSystem& fs = fileSystem();
    const std::string ext = lowerAscii(extension);
    std::vector<std::string> sources;
    for (const std::string& name : names) {
        if (fs.entry(name) != FileSystem::Entry::Directory) {
            sources.push_back(name);
            continue;
        }
        std::vector<std::string> found;
        for (const std::string& entry : fs.list(name)) {
            if (entry.size() <= ext.size() ||
                lowerAscii(entry).substr(entry.size() - ext.size()) != ext)
                continue;
            const std::string path =
                platform::fromPath(platform::toPath(name) / platform::toPath(entry));
            if (fs.entry(path) == FileSystem::Entry::File) found.push_back(path);
        }
        std::sort(found.begin(), found.end());
        if (found.empty()) found.push_back(name);
        sources.insert(sources.end(), found.begin(), found.end());
    }
    return sources;
}

std::vector<bool> sharedOutputs(const std::vector<std::string>& outputs) {
    // Paths are compared in order of a key that every two names of one file share; only
    // neighbours with one key are asked of the system.
    std::vector<std::string> keys;
    for (const std::string& path : outputs) {
        std::error_code ec;
        const auto full = std::filesystem::weakly_canonical(platform::toPath(path), ec);
        keys.push_back(lowerAscii(ec ? path : platform::fromPath(full)));
    }
    std::vector<size_t> order(outputs.size());
    std::iota(order.begin(), order.end(), 0);
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) { return keys[a] < keys[b]; });
    std::vector<bool> shared(outputs.size(), false);
    for (size_t from = 0; from < order.size();) {
        size_t to = from + 1;
        while (to < order.size() && keys[order[to]] == keys[order[from]]) ++to;
        for (size_t i = from; i < to; ++i)
            for (size_t j = i + 1; j < to; ++j)
                if (platform::samePath(outputs[order[i]], outputs[order[j]]))
                    shared[order[i]] = shared[order[j]] = true;
        from = to;
    }
    return shared;
}

namespace {

// One file of the batch once its job has ended.
struct Done {
    BatchOutcome outcome;
    double seconds = 0;
};

// The line that says on a terminal how far the batch has come, redrawn in place.
class Progress {
  public:
    Progress(std::ostream& out, bool shown, size_t files)
        : out_(out), shown_(shown), files_(files) {}

    void started(const std::string& source) {
        running_.push_back(source);
        draw();
    }
    // A file is done, whether it ran or was refused.
    void ended(const std::string& source) {
        if (auto it = std::find(running_.begin(), running_.end(), source); it != running_.end())
            running_.erase(it);
        ++done_;
        draw();
    }
    // Takes the line away, for other text to be printed in its place.
    void erase() {
        if (width_ == 0) return;
        out_ << '\r' << std::string(width_, ' ') << '\r' << std::flush;
        width_ = 0;
    }
    void draw() {
        if (!shown_) return;
        std::string line = "[" + std::to_string(done_) + "/" + std::to_string(files_) + " done]";
        if (!running_.empty()) line += " " + escapedControls(running_.back());
        // Wider than a terminal, the line would wrap and no longer be redrawn in place.
        constexpr size_t kWidth = 79;
        if (line.size() > kWidth) line = line.substr(0, kWidth - 3) + "...";
        const size_t old = width_;
        out_ << '\r' << line;
        if (old > line.size()) out_ << std::string(old - line.size(), ' ') << '\r' << line;
        out_ << std::flush;
        width_ = line.size();
    }

  private:
    std::ostream& out_;
    bool shown_;
    size_t files_, done_ = 0, width_ = 0;
    std::vector<std::string> running_;
};

// A job's status lines, then its report, each prefixed with its source; failures to err.
void printJob(std::ostream& out, std::ostream& err, const std::string& source,
              const std::vector<KeepingHost::Line>& lines, const BatchOutcome& outcome) {
    for (const KeepingHost::Line& line : lines) {
        if (line.text.empty()) continue;
        (line.failure ? err : out) << source << ": " << line.text << '\n';
    }
    std::string_view report = outcome.report;
    while (!report.empty()) {
        const size_t end = report.find('\n');
        std::string_view line = report.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out << source << (line.empty() ? ":" : ": ") << line << '\n';
        report = end == std::string_view::npos ? std::string_view() : report.substr(end + 1);
    }
    out << std::flush;
    err << std::flush;
}

// File, result, seconds and the counts of each completed job, in columns.
void printSummary(std::ostream& out, const Batch& batch, const std::vector<Done>& done) {
    std::vector<std::vector<std::string>> rows;
    rows.push_back({"File", "Result", "Seconds"});
    rows[0].insert(rows[0].end(), batch.countCaptions.begin(), batch.countCaptions.end());
    size_t completed = 0;
    for (size_t i = 0; i < done.size(); ++i) {
        const BatchOutcome& o = done[i].outcome;
        std::ostringstream seconds;
        seconds << std::fixed << std::setprecision(2) << done[i].seconds;
        rows.push_back({batch.sources[i], o.completed ? "completed" : o.message, seconds.str()});
        if (!o.completed) continue;
        ++completed;
        for (long long count : o.counts) rows.back().push_back(std::to_string(count));
    }
    std::vector<size_t> widths(rows[0].size(), 0);
    for (const auto& row : rows)
        for (size_t c = 0; c < row.size(); ++c) widths[c] = std::max(widths[c], row[c].size());
    for (const auto& row : rows) {
        std::string line;
        for (size_t c = 0; c < row.size(); ++c) {
            // Names and results to the left, numbers to the right.
            const std::string pad(widths[c] - row[c].size(), ' ');
            line += c < 2 ? row[c] + pad : pad + row[c];
            if (c + 1 < row.size()) line += "  ";
        }
        while (!line.empty() && line.back() == ' ') line.pop_back();
        out << line << '\n';
    }
    out << done.size() << " files: " << completed << " completed, " << done.size() - completed
        << " failed\n";
}

}  // namespace

int runBatch(const Batch& batch, std::ostream& out, std::ostream& err) {
    const size_t n = batch.sources.size();
    std::vector<std::string> outputs;
    for (const std::string& source : batch.sources) outputs.push_back(batch.output(source));
    const std::vector<bool> refused = sharedOutputs(outputs);

    std::vector<Done> done(n);
    std::mutex printing;  // guards the streams, the progress line and what follows
    Progress progress(batch.progressOut ? *batch.progressOut : out, batch.terminal, n);
    progress.draw();
    std::atomic<size_t> next = 0;
    auto work = [&] {
        for (size_t i = next++; i < n; i = next++) {
            const std::string& source = batch.sources[i];
            KeepingHost host;
            BatchOutcome outcome;
            const auto start = std::chrono::steady_clock::now();
            if (refused[i]) {
                outcome.message = "Output file name clash: " + outputs[i];
                host.failure(outcome.message);
            } else {
                {
                    std::lock_guard lock(printing);
                    progress.started(source);
                }
                try {
                    outcome = batch.run(source, host);
                } catch (const std::exception& e) {
                    // One file's fault stops that file alone.
                    outcome = {};
                    outcome.message = std::string("Stopped by an error: ") + e.what();
                    host.failure(outcome.message);
                }
            }
            const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
            std::lock_guard lock(printing);
            progress.erase();
            printJob(out, err, source, host.lines, outcome);
            done[i] = {std::move(outcome), took.count()};
            progress.ended(source);
        }
    };
    std::vector<std::thread> helpers;
    for (unsigned t = 1; t < std::min<size_t>(batch.jobs, n); ++t) helpers.emplace_back(work);
    work();
    for (std::thread& t : helpers) t.join();
    progress.erase();

    printSummary(out, batch, done);
    const bool allCompleted =
        std::all_of(done.begin(), done.end(), [](const Done& d) { return d.outcome.completed; });
    return allCompleted ? 0 : 1;
}

}  // namespace quorlin
