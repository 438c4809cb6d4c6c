#include "tests/fakes/FakeKeyStateSource.h"

namespace tarvex {

quint16 FakeKeyStateSource::keyState(int code)
{
    if (code < 1 || code > 255)
        return 0;
    ++m_totalQueries;
    ++m_queries[code];
    const quint16 state = (m_down[code] ? 0x8000 : 0) | (m_pressedSince[code] ? 0x0001 : 0);
    m_pressedSince[code] = false;
    return state;
}

void FakeKeyStateSource::press(std::initializer_list<int> codes, bool announce)
{
    for (int code : codes) {
        m_down[code] = true;
        m_pressedSince[code] = true;
    }
    if (announce)
        notifyPressed();
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

int FakeKeyStateSource::queries(int code) const
{
    return code == 0 ? m_totalQueries : m_queries[code];
}

} // namespace tarvex
