#pragma once

#include <QStringList>

// rmdbatch demo --out DIR [--today MM/DD/YYYY] [--support-archive PATH]
// Writes one sample report for each calculator into DIR, from the sample illustrations and
// representative built into rmdbatch, under the names File > Export PDF would give them:
// {"status":"ok","files":[{"calculator":N,"pdf":PATH,"pages":N},...]}.
int RunDemo(const QStringList &arguments);
