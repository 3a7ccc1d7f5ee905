#pragma once

#include <QString>
#include <QStringList>

// The story of the last open or save, line by line: a record, not a display.
class TImpExpLogManager
{
public:
    TImpExpLogManager() = default;
    TImpExpLogManager(const TImpExpLogManager &) = delete;
    TImpExpLogManager &operator=(const TImpExpLogManager &) = delete;

    const QStringList &Linhas() const { return m_linhas; }

    bool SalvarAutomaticamente = false;
    QString ArquivoLog;

    void AdicionarMensagem(const QString &texto);
    void AdicionarErro(const QString &texto);
    void Limpar();
    // Replaces the file's content with every line, each ending in CR LF.
    void SalvarEmArquivo(const QString &nomeArquivo) const;

private:
    QStringList m_linhas;
};

// The one log of the process, created on first use.
TImpExpLogManager &ObterLogManager();
