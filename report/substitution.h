#pragma once

// Merging a report: the calculator's template from the support archive, the Stretch
// directives, then section markers cut and placeholders filled from the report fields.

#include <QString>
#include <functional>

class Illustration;
class SupportArchive;

// The template of the illustration's calculator: "RMDPartSpouse.rtf" or "RMDPartNone.rtf"
// (RMD, by whether the spouse's date of birth is a date), "RMDBene.rtf", "Equal.rtf",
// "Stretch.rtf".
QString TemplateName(const Illustration &illustration);

// Resolves the Stretch template's directives in the extracted file, in place.
using TemplatePreprocessing = std::function<void(const QString &templatePath)>;

// The merged RTF of the illustration's report, from report fields computed just before. The
// template is extracted into the work folder and deleted once read. A template the archive
// cannot deliver shows the damaged-archive message and throws FatalError (already shown);
// a missing or empty extracted file gives "Output file is missing or damaged.".
QString SubstituteRTF(Illustration &illustration, const SupportArchive &archive,
                      const QString &workFolder, const QString &fileDescription,
                      const TemplatePreprocessing &preprocess = {});

// SubstituteRTF in its two steps, for callers that do other work between them. The first
// extracts the template and shows the damaged-archive message as SubstituteRTF does; it returns
// the extracted copy's path. The second touches no window and may run on any thread.
QString ExtractTemplate(Illustration &illustration, const SupportArchive &archive,
                        const QString &workFolder, const QString &fileDescription);
QString MergeTemplate(const QString &path, const Illustration &illustration,
                      const TemplatePreprocessing &preprocess = {});

// The two placeholder-layer steps on a template text: every passage between a pair of a
// marker that a report field holds is cut (ten at most per marker), then every placeholder is
// replaced by its field's text (ten times at most per field), fields in slot order. The
// template text and the result hold one byte of Windows-1252 per character; a field's
// characters beyond that code page go in as "\uN?".
QString MergeFields(QString text, const Illustration &illustration);
