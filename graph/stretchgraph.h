#pragma once

// The Stretch graph: for one phase of the projection, each year's income, the income so far and
// the account value. CreateGraph chooses the phase, the title and the years; DrawGraph draws the
// chart and saves it as "RMDGraph.bmp" in the work folder, where the report's graph page finds
// it.

#include "graphdrawing.h"
#include "stretchcalculator.h"

#include <QString>

class Illustration;
class Prompter;
class SupportArchive;

// The phase a graph-list entry selects by its first letter: "P" the planholder, "S" the spouse,
// "N" the non-spouse beneficiary, anything else (the "All Years" entry, or no entry) all years.
Projection::Phase GraphPhase(const QString &entry);

// The entry the graph list shows as selected: the stored text when the list holds it (the
// spouse entry only with a spouse phase), else none.
QString SelectedGraphEntry(const QString &stored, bool spousePhase);

// The title, lines separated by CR LF: the owner's name, then the plan name (after "Inherited "
// for a beneficiary), " @ " and the rate of return as entered; for all years a third line
// "(All Years)".
QString GraphTitle(Projection::Phase phase, const StretchInputs &inputs, const QString &rate);

// The scroll range over the phase's years, in column-1 values (ages, year indexes for all
// years): the minimum is one above the value of the first row with a balance above 0, so that at
// least two years show; the maximum is the value of the last row whose column 1 is above 0.
struct GraphRange {
    int minimum = 0;
    int maximum = 0;
    int firstRow = -1; // the first row with a balance; -1 when the phase holds none
    bool empty() const { return firstRow < 0; }
};
GraphRange GraphScrollRange(const ProjectionTable &table, Projection::Phase phase);

// The scroll position kept inside the range, as the scroll bar keeps it.
int ClampedScrollPosition(const GraphRange &range, int position);

// The rows drawn: from the first row with a balance through the last row whose column-1 value
// is not beyond the scroll position (the position chooses the last year shown).
struct GraphRows {
    int first = 0;
    int last = -1; // below first: nothing to draw
};
GraphRows GraphYears(const ProjectionTable &table, Projection::Phase phase, const GraphRange &range,
                     int scrollPosition);

struct GraphResult {
    QString title;
    Projection::Phase phase = Projection::AllYears;
    GraphRange range;
    int scrollPosition = 0;
    QString bitmap; // the saved "RMDGraph.bmp"
};

// What the graph of the illustration's list entry, scroll position and options shows, without
// drawing it: for the Graph tab's live chart and for the saved bitmap.
struct GraphContent {
    GraphResult result;
    GraphData data;
    GraphOptions options;
    bool spousePhase = false; // whether the list offers "Spouse Beneficiary"
    QString entry;            // the list entry shown as selected; empty for none
};
GraphContent PrepareGraph(const Illustration &illustration, const StretchInputs &inputs,
                          const StretchProjection &projection);

// The background picture "GraphBack.bmp" from the support archive; a null picture when the
// archive does not give it. An entry larger than the archive allows is reported ("Error in
// Graph Routine") and ends the program.
QImage GraphBackground(const SupportArchive &archive, const QString &workFolder,
                       Prompter &prompter);

// Builds the graph of the illustration's list entry, scroll position and options, and saves
// it. The background picture comes from the support archive. A bitmap that cannot be saved, or
// a background entry larger than the archive allows, is reported ("Error in Graph Routine") and
// ends the program (FatalError, already shown).
GraphResult CreateGraph(const Illustration &illustration, const StretchInputs &inputs,
                        const StretchProjection &projection, const SupportArchive &archive,
                        const QString &workFolder);
