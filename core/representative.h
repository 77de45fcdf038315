#pragma once

// The financial representative's own details as the reports print them. Loading and saving
// them belongs to storage; calculators receive them as a value.

#include <QString>
#include <span>

struct RepresentativeDetails {
    QString first;
    QString initial;
    QString last;
    QString repNumber;
    QString agency;
    QString work;
    QString home; // shown as the mobile phone
    QString fax;
    QString email;
    QString address;
    QString city;
    QString zip;
    QString runDate; // time stamp of the last save
    QString state;
};

struct RepresentativeKey {
    const char *key; // the caption's tag in "KVR.ini" and in rmdbatch's REP.json
    QString RepresentativeDetails::*member;
};

// The entries in the order of the representative window, "First" to "State".
std::span<const RepresentativeKey> representativeKeys();

// The RTF block of name, agency, address and phone numbers written to "R-Aname"; the entries'
// own text is escaped.
QString BuildRepresentativeBlock(const RepresentativeDetails &rep);
