#include "tests/fakes/FakeKeyStateSource.h"

#include <utility>

namespace tarvex {

void FakeKeyStateSource::press(std::initializer_list<int> codes)
{
    for (int code : codes) {
        if (!std::exchange(m_down[code], true))
            notifyPressed(code);
    }
}

void FakeKeyStateSource::release(std::initializer_list<int> codes)
{
    for (int code : codes)
        m_down[code] = false;
}

void FakeKeyStateSource::tap(std::initializer_list<int> codes)
{
    press(codes);
    release(codes);
}

void FakeKeyStateSource::setProblem(const QString& problem)
{
    m_problem = problem;
    notifyProblemChanged();
}

void FakeKeyStateSource::setAskable(bool askable)
{
    m_askable = askable;
    notifyProblemChanged();
}

} // namespace tarvex
