#pragma once

// The line at the foot of every report page: the illustration date on the left, the page number
// in the middle, the program and its version on the right.

#include <QString>

class ReportDocument;

struct ProgramVersion {
    int major = 1;
    int minor = 0;
    int revision = 0; // the build number
};

// This build's version.
ProgramVersion CurrentVersion();

// "mmmm d, yyyy" of the illustration date; a text that is not a date stays as it is.
QString FooterLeft(const QString &illustrationDate);
// "Page 1 of 3": the numbers as number-to-text conversion writes them, each after a blank.
QString FooterCentre(int pageNumber, int pageCount);
// "Planholder RMD Calculator Version 1.0": the major number after a blank, the minor without.
QString FooterRight(const QString &windowCaption, ProgramVersion version);

// Arial 6 points, between the margins, just below the text area: the line's top lies 1008 to 720
// twips above the paper's lower edge.
void DrawPageFooter(ReportDocument &document, const QString &illustrationDate,
                    const QString &windowCaption, ProgramVersion version);
