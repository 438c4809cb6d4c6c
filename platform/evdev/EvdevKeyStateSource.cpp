#include "platform/evdev/EvdevKeyStateSource.h"

#include "platform/evdev/devices/EvdevLogging.h"
#include "platform/evdev/KeyboardAccessTexts.h"

#include <QCoreApplication>

namespace tarvex {

QString EvdevKeyStateSource::NoAccessProblem()
{
    return KeyboardAccessTexts::withChoices(QCoreApplication::translate(
        "tarvex::EvdevKeyStateSource",
        "Tarvex cannot read the keyboards, so your hotkeys do not work."));
}

QString EvdevKeyStateSource::NoKeyboardProblem()
{
    return QCoreApplication::translate("tarvex::EvdevKeyStateSource",
                                       "Tarvex finds no keyboard, so your hotkeys do not work.");
}

EvdevKeyStateSource::EvdevKeyStateSource(SessionKeymap& keymap, const QString& folder,
                                         const QStringList& devices, QObject* parent)
    : QObject(parent), m_keys(keymap),
      m_devices({[this](int key) {
                     if (const int code = m_keys.keyDown(key))
                         notifyPressed(code);
                 },
                 [this](int key) { m_keys.keyUp(key); }, [this] { updateProblem(); }},
                folder, devices)
{}

EvdevKeyStateSource::~EvdevKeyStateSource() = default;

bool EvdevKeyStateSource::start()
{
    m_devices.start();
    if (m_devices.keyboards().isEmpty())
        qCInfo(lcEvdev, "no keyboard can be read%s", m_devices.anyRefused() ? " (no access)" : "");
    else
        qCInfo(lcEvdev, "reading %s", qPrintable(keyboards().join(QStringLiteral(", "))));
    return true;
}

void EvdevKeyStateSource::updateProblem()
{
    QString problem;
    if (m_devices.keyboards().isEmpty())
        problem = m_devices.anyRefused() ? NoAccessProblem() : NoKeyboardProblem();
    if (problem == m_problem)
        return;
    m_problem = problem;
    notifyProblemChanged();
}

} // namespace tarvex
