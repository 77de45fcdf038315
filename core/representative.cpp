#include "representative.h"

#include "rtftext.h"

#include <array>

namespace {

using R = RepresentativeDetails;

const std::array<RepresentativeKey, 14> Keys{{
    {"First", &R::first},
    {"Initial", &R::initial},
    {"Last", &R::last},
    {"RepNumber", &R::repNumber},
    {"Agency", &R::agency},
    {"Work", &R::work},
    {"Home", &R::home},
    {"Fax", &R::fax},
    {"EMail", &R::email},
    {"Address", &R::address},
    {"City", &R::city},
    {"Zip", &R::zip},
    {"RunDate", &R::runDate},
    {"State", &R::state},
}};

const QString Bullet = QStringLiteral(" \\bullet  ");

bool present(const QString &value) {
    return !value.trimmed().isEmpty();
}

} // namespace

std::span<const RepresentativeKey> representativeKeys() {
    return Keys;
}

QString BuildRepresentativeBlock(const RepresentativeDetails &rep) {
    // Each part appears only when its entry holds something; the text is kept as entered, its
    // RTF characters escaped.
    using RtfText::escape;
    QString block = escape(rep.first);
    if (present(rep.initial))
        block += QLatin1Char(' ') + escape(rep.initial) + QLatin1Char('.');
    if (present(rep.last))
        block += QLatin1Char(' ') + escape(rep.last);
    if (present(rep.agency))
        block += Bullet + escape(rep.agency);
    if (present(rep.address))
        block += Bullet + escape(rep.address);
    if (present(rep.city))
        block += Bullet + escape(rep.city);
    if (present(rep.state))
        block += QStringLiteral(", ") + escape(rep.state);
    if (present(rep.zip))
        block += QLatin1Char(' ') + escape(rep.zip);
    block += QStringLiteral("\\par ");

    const std::array<std::pair<const char *, const QString *>, 4> phones{{
        {"Office: ", &rep.work},
        {"Mobile: ", &rep.home},
        {"Fax: ", &rep.fax},
        {"Email: ", &rep.email},
    }};
    for (const auto &[label, value] : phones) {
        if (present(*value))
            block += QLatin1String(label) + escape(*value) + Bullet;
    }
    if (block.endsWith(Bullet))
        block.chop(Bullet.size());
    return block;
}
