#pragma once

#include <QApplication>

// The program's application object. Every event enters the program through notify: a silent
// abort that escapes a handler ends there without a word, and any other escaped error is shown
// on the message screen instead of ending the program.
class TAplicacao : public QApplication
{
    Q_OBJECT

public:
    TAplicacao(int &argc, char **argv);

    bool notify(QObject *receptor, QEvent *evento) override;
};
