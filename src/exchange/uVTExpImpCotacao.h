#pragma once

// The controller that moves one quotation between its file and the memory tables: the open
// checks and inflates the container into a temporary document, reads it into the model and
// fills the tables; the save takes the supplier's answers back from the tables, writes the
// document and packs it under the quotation's canonical name. Every step writes the progress
// log; a failed open or save is reported on the message screen before the error, if any,
// travels on to the caller.

#include "model/uVTExpImpCotacaoDados.h"

#include <QByteArray>
#include <QString>

class TMemoryTable;

class TExpImpCotacao
{
public:
    TExpImpCotacao() = default;
    TExpImpCotacao(const TExpImpCotacao &) = delete;
    TExpImpCotacao &operator=(const TExpImpCotacao &) = delete;

    TDadosCotacao &Cotacao() { return m_cotacao; }
    const TDadosCotacao &Cotacao() const { return m_cotacao; }

    // Folder of the quotation file.
    const QString &Diretorio() const { return m_diretorio; }
    void SetDiretorio(const QString &diretorio) { m_diretorio = diretorio; }
    // Folder of the temporary document; the program passes the private temporary folder of
    // the process (PastaTemporaria()), which nobody else can write.
    const QString &DiretorioTrabalho() const { return m_diretorioTrabalho; }
    void SetDiretorioTrabalho(const QString &diretorio) { m_diretorioTrabalho = diretorio; }
    // Base name of the quotation file (no folder, no extension): the opened file's until the
    // first save, then the canonical name of the file last written.
    const QString &NomeArquivo() const { return m_nomeArquivo; }
    void SetNomeArquivo(const QString &nome) { m_nomeArquivo = nome; }

    // Opens diretorio/nomeArquivo.kvt into the tables. False, after a message, when there is
    // no such file or the quotation lacks the list its judgement form calls for; any other
    // failure is shown and then raised.
    bool Importar(const QString &nomeArquivo, const QString &diretorio,
        const QString &diretorioTrabalho, TMemoryTable &mmDados, TMemoryTable &mmGrupos,
        TMemoryTable &mmItens, TMemoryTable &mmCotas);
    // Saves the tables' answers into diretorio under the canonical name and removes the file
    // opened before when its name differs and it lies in that folder. False, after a message, when
    // the container could not be written; any other failure is shown and then raised.
    bool Exportar(const QString &diretorio, const QString &diretorioTrabalho, TMemoryTable &mmDados,
        TMemoryTable &mmItens, TMemoryTable &mmGrupos);

    // Reads diretorio/nomeArquivo.kvt into the model and writes it again under its canonical
    // name into pastaDestino, leaving the file read in place. False when there is no such file
    // or the container could not be written; shows no message, raises any other failure.
    bool Regravar(const QString &nomeArquivo, const QString &diretorio, const QString &pastaDestino,
        const QString &diretorioTrabalho);

private:
    bool AbrirEValidar();
    bool CarregarDados(TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens,
        TMemoryTable &mmCotas);
    bool AtualizarDados(TMemoryTable &mmDados, TMemoryTable &mmGrupos, TMemoryTable &mmItens);
    // With removerAnterior, the file opened before goes once the new one is written under
    // another name.
    bool Salvar(bool removerAnterior = true);
    bool GravarArquivoKvt(const QByteArray &documento, bool removerAnterior);

    TDadosCotacao m_cotacao;
    QString m_diretorio;
    QString m_diretorioTrabalho;
    QString m_nomeArquivo;
};

// The open road without the tables: the quotation file nomeArquivo in diretorio checked,
// inflated, its document checked and read into cotacao (meant for a fresh model), every step
// logged. False, after the error line, when there is no such file; raises any other failure.
bool LerArquivoCotacao(TDadosCotacao &cotacao, const QString &diretorio, const QString &nomeArquivo,
    const QString &diretorioTrabalho);

// The base name a save gives the quotation: "COT-" and the tender number with "/" turned into
// "-", or "COT-PESQ-" and the survey's code, then "-" and the supplier's CPF/CNPJ digits when
// it has one.
QString NomeArquivoCanonico(const TDadosCotacao &cotacao);

// The bytes of the quotation's document as a save writes them: the XML declaration, then
// "dados" holding the quotation's "cotacao".
QByteArray DocumentoDaCotacao(const TDadosCotacao &cotacao);
// Writes that document as the container pasta/nome.kvt, passing through a temporary document
// in the private temporary folder; answers the container's path. Raises when it cannot.
QString GravarArquivoCotacao(
    const TDadosCotacao &cotacao, const QString &pasta, const QString &nome);
