#include "app/core/dialog.h"

#include <utility>

#include "app/core/driver.h"

namespace quorlin {

namespace {

// The check boxes of each job and the options they set.
constexpr std::pair<int Form::*, bool PcbOptions::*> kPcbChecks[] = {
    {&Form::exclusion, &PcbOptions::componentGuides},
    {&Form::graphastrack, &PcbOptions::graphicsAsTracks},
    {&Form::xport, &PcbOptions::exportPrimitives},
    {&Form::replicate, &PcbOptions::replicatePads},
    {&Form::tagpads, &PcbOptions::tagPads},
    {&Form::tagvias, &PcbOptions::tagVias},
};
constexpr std::pair<int Form::*, bool CompareOptions::*> kCompareChecks[] = {
    {&Form::xsdf, &CompareOptions::exportSorted},
    {&Form::xdiff, &CompareOptions::exportDifferences},
};

// The count boxes and the counts they show.
constexpr std::pair<size_t, long long PcbCounts::*> kPcbBoxes[] = {
    {count::kVertex, &PcbCounts::vertex},
    {count::kComponentOther, &PcbCounts::componentOther},
    {count::kHeaders, &PcbCounts::headers},
    {count::kNets, &PcbCounts::nets},
    {count::kComponents, &PcbCounts::components},
    {count::kPads, &PcbCounts::pads},
    {count::kVias, &PcbCounts::vias},
    {count::kArcs, &PcbCounts::arcs},
    {count::kPolygons, &PcbCounts::polygons},
    {count::kText, &PcbCounts::text},
    {count::kLines, &PcbCounts::lines},
    {count::kTrash, &PcbCounts::trash},
    {count::kComponentPads, &PcbCounts::componentPads},
};
constexpr std::pair<size_t, long long NetCounts::*> kNetBoxes[] = {
    {netdata::kNetsA, &NetCounts::nets},
    {netdata::kNodesA, &NetCounts::nodes},
    {netdata::kPartsA, &NetCounts::parts},
};
// The rows of the grid (netdata::kGrid).
constexpr long long NetlistCounts::*kGridRows[] = {&NetlistCounts::nets,
                                                   &NetlistCounts::singleNodeNets,
                                                   &NetlistCounts::nodes, &NetlistCounts::parts};

template <typename Options, size_t N>
void setChecked(const Form& form, const std::pair<int Form::*, bool Options::*> (&table)[N],
                Options& options) {
    for (const auto& [box, option] : table) options.*option = form.*box == 1;
}

}  // namespace

PcbOptions pcbOptions(const Form& form, LayerDrawModes& kept) {
    PcbOptions o;
    o.source = form.fnme;
    setChecked(form, kPcbChecks, o);
    if (form.graphastrack != 2) kept = drawModesFor(form.graphastrack == 1);
    o.drawModes = kept;
    o.guardGap = form.guardgap;
    if (form.writestyle == 1) o.styleFile = form.stylefile;
    return o;
}

NetOptions netOptions(const Form& form) {
    return {form.netfnme, form.xpattern == 1};
}

CompareOptions compareOptions(const Form& form) {
    CompareOptions o;
    o.a = form.netlista;
    o.b = form.netlistb;
    setChecked(form, kCompareChecks, o);
    // The window shows the summary of the differences after every comparison.
    o.differencesSummary = true;
    return o;
}

void showCounts(const PcbCounts& counts, Form& form) {
    for (const auto& [box, count] : kPcbBoxes) form.counts[box] = std::to_string(counts.*count);
}

void showCounts(const NetCounts& counts, Form& form) {
    for (const auto& [box, count] : kNetBoxes) form.netdata[box] = std::to_string(counts.*count);
}

void showCounts(const CompareCounts& counts, Form& form) {
    const NetlistCounts columns[3] = {counts.a, counts.b, counts.delta()};
    for (size_t c = 0; c < 3; ++c)
        for (size_t r = 0; r < 4; ++r)
            form.netdata[netdata::kGrid[c][r]] = std::to_string(columns[c].*kGridRows[r]);
}

int paceHundredths(Host::Pace pace) {
    return pace == Host::Pace::Notice ? 100 : 10;
}

void Spinner::spinme(int index, std::string& caption) {
    if (index == 0) {
        spincount_ = 0;
        caption.clear();
        return;
    }
    if (++spincount_ >= 3200) spincount_ = 0;
    if (spincount_ % 400 == 0) {
        static const char* const kFrames[] = {"--", "\\", "|", "/"};
        caption = kFrames[(spincount_ / 400) % 4];
    }
}

void Dialog::showProgress() {
    if (pcb_) {
        showCounts(pcb_->counts, form);
        form.reportbox = pcb_->report;
    }
    if (net_) showCounts(net_->counts, form);
    if (compare_) {
        showCounts(compare_->counts, form);
        form.reportbox = compare_->report;
    }
}

// A job run from the dialog: its status lines go to the status box, its records turn the
// spinner, its counts fill their boxes from the moment it starts counting; the rest is the
// toolkit's.
class Dialog::JobHost : public Host {
  public:
    explicit JobHost(Dialog& d) : d_(d), toolkit_(d.toolkit_) {}
    void processEvents() override { toolkit_.processEvents(); }
    void beep() override { toolkit_.beep(); }
    std::string today() override { return toolkit_.today(); }
    void statusChanged(const std::string& text) override {
        d_.form.errorbox = text;
        toolkit_.statusChanged(text);
    }
    void failure(const std::string& text) override {
        d_.form.errorbox = text;
        toolkit_.failure(text);
    }
    void pace(Pace pace) override { toolkit_.pace(pace); }
    void tick() override {
        d_.spinner_.spinme(1, d_.form.spinner);
        toolkit_.processEvents();
    }
    void watch(const PcbResult* result) override { follow(d_.pcb_, result); }
    void watch(const NetResult* result) override {
        // The converter fills column A alone: the others show nothing of an earlier comparison.
        if (result) d_.form.netdata.fill("0");
        follow(d_.net_, result);
    }
    void watch(const CompareResult* result) override { follow(d_.compare_, result); }

  private:
    // Boxes start from zero when the job starts counting, and keep its last counts after.
    template <typename Result>
    void follow(const Result*& followed, const Result* result) {
        if (!result) d_.showProgress();
        followed = result;
        if (result) d_.showProgress();
    }

    Dialog& d_;
    Host& toolkit_;
};

void Commands_Click(Dialog& d, int index) {
    d.form.notesVisible = false;
    if (index < 0 || index > 2) return;
    Dialog::JobHost host(d);
    d.form.errorbox.clear();
    if (index == 0) {
        d.form.reportbox.clear();
        const PcbResult r = convertPcb(pcbOptions(d.form, d.layerdrawmode), host, d.tuning);
        d.spinner_.spinme(0, d.form.spinner);
        if (r.completed) d.converted = r.regionFile;
        d.failed = !r.completed;
    } else if (index == 1) {
        d.failed = !convertNetlist(netOptions(d.form), host, d.tuning).completed;
    } else {
        d.failed = !compareNetlists(compareOptions(d.form), host, d.tuning).completed;
    }
}

}  // namespace quorlin
