#pragma once

#include <QObject>
#include <QStringList>

class QAction;
class QMenu;

// The "Abrir recente" submenu: the last quotation files opened, the most recent first, kept in
// the user's settings so that they outlive the program. A file chosen from it that no longer
// exists leaves the list, with a message; one that exists is handed on to be opened.
class TArquivosRecentes : public QObject
{
    Q_OBJECT

public:
    static constexpr int Maximo = 8;

    // Puts the submenu into the menu right after the given command.
    TArquivosRecentes(QMenu &menu, QAction &apos, QObject *parent);

    QStringList Arquivos() const;
    // Puts a file just opened at the head of the list.
    void Registrar(const QString &caminho);

Q_SIGNALS:
    void Escolhido(const QString &caminho);

private:
    void Gravar(QStringList arquivos);
    void Atualizar();
    void Escolher(const QString &caminho);

    QMenu *mnAbrirRecente;
};
