#include "region/tracks_vias_run.h"

#include "support/run.h"

namespace quorlin::test {

std::string Converted::layers() const {
    const size_t at = rgn.find("*LAYER TOP\r\n");
    return at == std::string::npos ? "" : rgn.substr(at);
}

std::string Converted::vias() const {
    const size_t from = rgn.find("*VIAS\r\n");
    const std::string end = "*END_VIAS\r\n";
    const size_t to = rgn.find(end);
    if (from == std::string::npos || to == std::string::npos) return "";
    return rgn.substr(from, to + end.size() - from);
}

Converted convertBoard(const std::vector<std::string>& board, Form form) {
    TempDir dir;
    form.stylefile = dir.file("Default.STY");
    PcbRun run;
    runPcb(run, dir, crlf(board), form);
    Converted c;
    c.rgn = dir.read("board.rgn");
    c.repExists = dir.exists("board.rep");
    c.rep = dir.read("board.rep");
    c.trashExists = dir.exists("board_Trash.txt");
    c.trash = dir.read("board_Trash.txt");
    c.reportbox = run.session.form.reportbox;
    c.styles = run.session.registry.styles();
    c.statuses = run.host.statuses;
    return c;
}

bool endsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

}  // namespace quorlin::test
