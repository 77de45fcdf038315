#include "calculation.h"

#include "datetext.h"
#include "illustration.h"
#include "rtftext.h"

void ReportFailure(Illustration &illustration, const ValidationFailure &failure) {
    illustration.fields().ShowFieldError(failure.message, failure.title, illustration.calculator(),
                                         failure.tag, failure.replacement);
}

void CommonStart(Illustration &illustration, const CalcContext &context,
                 const QString &calculationYear) {
    FieldStore &fields = illustration.fields();
    fields.SetField(BuildRepresentativeBlock(context.representative), QStringLiteral("R-Aname"));
    fields.SetField(RtfText::escape(calculationYear), QStringLiteral("R-YYYY"));
    if (!illustration.isSaved())
        fields.SetField(DateText::ShortDate(context.today), QStringLiteral("6-IllustrationDate"));
}
