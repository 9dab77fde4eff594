#pragma once

#include <QString>

#include <atomic>

namespace zorrel::sound {

class EffectWorker;
class ProblemLog;

// Loads the audio module of the program in `programFolder` and makes its
// worker; null, after one line on stderr, if there is none or it is
// damaged. The first module found is the one: a damaged module is no reason
// to pick up a copy that belongs to another install. `ending`: see
// CreateEffectWorker.
EffectWorker *loadEffectWorker(const QString &programFolder, ProblemLog *log,
                               const std::atomic<bool> *ending = nullptr);

} // namespace zorrel::sound
