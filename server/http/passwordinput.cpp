#include "passwordinput.h"

#include "servererror.h"

#include <cstdio>
#include <iostream>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace appserver::http {

namespace {

// Turns the terminal's echo off for as long as it lives.
class EchoOff {
public:
    EchoOff()
    {
        m_active = tcgetattr(STDIN_FILENO, &m_saved) == 0;
        if (!m_active)
            return;
        termios quiet = m_saved;
        quiet.c_lflag &= ~tcflag_t(ECHO);
        tcsetattr(STDIN_FILENO, TCSAFLUSH, &quiet);
    }
    ~EchoOff()
    {
        if (m_active)
            tcsetattr(STDIN_FILENO, TCSAFLUSH, &m_saved);
    }
    EchoOff(const EchoOff &) = delete;
    EchoOff &operator=(const EchoOff &) = delete;

private:
    termios m_saved{};
    bool m_active = false;
};

QString readLine()
{
    std::string line;
    if (!std::getline(std::cin, line))
        throw ServerError(QStringLiteral("Não foi possível ler a senha."));
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return QString::fromStdString(line);
}

QString askQuietly(const QString &prompt)
{
    QString answer;
    {
        // Echo goes off before the prompt shows: turning it off flushes pending input,
        // so whatever is typed once the prompt is visible must come after that.
        EchoOff quiet;
        std::fputs(prompt.toLocal8Bit().constData(), stderr);
        std::fflush(stderr);
        answer = readLine();
    }
    std::fputs("\n", stderr);
    return answer;
}

} // namespace

QString readNewPassword(const QString &user)
{
    if (!isatty(STDIN_FILENO))
        return readLine();
    const QString password = askQuietly(QStringLiteral("Senha do usuário %1: ").arg(user));
    if (askQuietly(QStringLiteral("Repita a senha: ")) != password)
        throw ServerError(QStringLiteral("As senhas digitadas são diferentes; nada foi alterado."));
    return password;
}

} // namespace appserver::http
