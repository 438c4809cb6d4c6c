#include "editor/ArgumentsField.h"

#include "platform/linux/ProcessOpener.h"
#include "store/ExecArguments.h"

#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>
#include <limits>

namespace tarvex {
namespace {

constexpr int RowHeight = 24;
constexpr int Gap = 4;

} // namespace

QString CommandShown(const QString& target, const QString& arguments)
{
    const ExecArguments split = SplitExecArguments(arguments);
    if (!split.error.isEmpty())
        return split.error;
    // No target yet: the wizard asks for the arguments before the program is chosen.
    if (target.trimmed().isEmpty()) {
        if (split.arguments.isEmpty())
            return {};
        return ArgumentsField::tr("runs: (the chosen program) %1")
            .arg(JoinExecArguments(split.arguments));
    }
    const ProcessOpener::Launch launch = ProcessOpener::launchFor(target, split.arguments);
    if (launch.program.isEmpty())
        return {};
    if (ProcessOpener::isProgram(launch))
        return ArgumentsField::tr("runs: %1")
            .arg(JoinExecArguments(QStringList{launch.program} + launch.arguments));
    const QString opened = JoinExecArguments(launch.arguments);
    if (split.arguments.isEmpty())
        return ArgumentsField::tr("opens: %1 (with the desktop's default application)").arg(opened);
    return ArgumentsField::tr(
               "opens: %1 (with the desktop's default application); the arguments are ignored, "
               "only a program takes them")
        .arg(opened);
}

ArgumentsField::ArgumentsField(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("argumentsField"));
    m_caption = new QLabel(tr("Arguments:"), this);
    m_edit = new QLineEdit(this);
    m_edit->setObjectName(QStringLiteral("arguments"));
    m_edit->setAccessibleName(tr("Arguments"));
    m_edit->setMaxLength(std::numeric_limits<int>::max());
    m_caption->setBuddy(m_edit);
    m_command = new QLabel(this);
    m_command->setObjectName(QStringLiteral("command"));
    m_command->setAccessibleName(tr("Command run"));
    m_command->setWordWrap(true);
    m_command->setTextFormat(Qt::PlainText);
    m_command->setTextInteractionFlags(Qt::TextSelectableByMouse);
    setFocusProxy(m_edit);
    connect(m_edit, &QLineEdit::textEdited, this, [this](const QString& text) {
        showCommand();
        Q_EMIT argumentsEdited(text);
    });
    showCommand();
}

void ArgumentsField::setTarget(const QString& target)
{
    m_target = target;
    showCommand();
}

void ArgumentsField::setArguments(const QString& text)
{
    m_edit->setText(text);
    showCommand();
}

QString ArgumentsField::arguments() const
{
    return m_edit->text();
}

QString ArgumentsField::problem() const
{
    return SplitExecArguments(m_edit->text()).error;
}

int ArgumentsField::layOutTo(int width)
{
    const int captionWidth = m_caption->sizeHint().width() + Gap;
    m_caption->setGeometry(0, 0, captionWidth, RowHeight);
    m_edit->setGeometry(captionWidth, 0, std::max(0, width - captionWidth), RowHeight);
    const int height = heightFor(width);
    m_command->setGeometry(0, RowHeight + Gap, width, height - RowHeight - Gap);
    resize(width, height);
    return height;
}

int ArgumentsField::heightFor(int width) const
{
    return RowHeight + Gap + (m_command->text().isEmpty() ? 0 : m_command->heightForWidth(width));
}

void ArgumentsField::showCommand()
{
    const bool malformed = !problem().isEmpty();
    m_command->setText(CommandShown(m_target, m_edit->text()));
    // A message stands out from the command line it replaces.
    m_command->setStyleSheet(malformed ? QStringLiteral("color: #a00000;") : QString());
    const int before = height();
    if (width() > 0 && layOutTo(width()) != before)
        Q_EMIT heightChanged();
}

} // namespace tarvex
