#include "representative.h"

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
    // Each part appears only when its entry holds something; the text is kept as entered.
    QString block = rep.first;
    if (present(rep.initial))
        block += QLatin1Char(' ') + rep.initial + QLatin1Char('.');
    if (present(rep.last))
        block += QLatin1Char(' ') + rep.last;
    if (present(rep.agency))
        block += Bullet + rep.agency;
    if (present(rep.address))
        block += Bullet + rep.address;
    if (present(rep.city))
        block += Bullet + rep.city;
    if (present(rep.state))
        block += QStringLiteral(", ") + rep.state;
    if (present(rep.zip))
        block += QLatin1Char(' ') + rep.zip;
    block += QStringLiteral("\\par ");

    const std::array<std::pair<const char *, const QString *>, 4> phones{{
        {"Office: ", &rep.work},
        {"Mobile: ", &rep.home},
        {"Fax: ", &rep.fax},
        {"Email: ", &rep.email},
    }};
    for (const auto &[label, value] : phones) {
        if (present(*value))
            block += QLatin1String(label) + *value + Bullet;
    }
    if (block.endsWith(Bullet))
        block.chop(Bullet.size());
    return block;
}
