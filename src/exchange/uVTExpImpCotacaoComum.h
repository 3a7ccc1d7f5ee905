#pragma once

#include "exchange/uVTExpImpCotacaoEscrita.h"
#include "exchange/uVTExpImpCotacaoLeitura.h"
#include "messages/uExpLog.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <memory>
#include <variant>

// What the quotation document's readers and writers share: the reading primitives, the
// element tables that map a model's properties onto child elements, and the document's
// load and check.

// Reading primitives. Each is given a child element that may be absent (a null element): an
// absent element reads as 0, the zero date-time, false or the empty text; a present one whose
// text does not parse raises EConvertError.
qint32 LerInteiro(const TElementoLido &no);
double LerReal(const TElementoLido &no);
double LerDataHora(const TElementoLido &no);
// True for "Y" and for "-1", which is what the writer writes for true; false otherwise.
bool LerLogico(const TElementoLido &no);
// The text exactly as written, blanks included.
QString LerTexto(const TElementoLido &no);

QString LogicoParaTexto(bool valor);

enum class TCodificacao { Inteiro, Real, DataHora, Logico, Texto };

// One property of a model class T carried as the text of a child element.
template<typename T>
struct TElementoXML
{
    QString nome;
    std::variant<qint32 T::*, double T::*, bool T::*, QString T::*> campo;
    TCodificacao codificacao;
};

// Reads every element of the table, in table order, into the object.
template<typename T, std::size_t N>
void LerElementos(T &objeto, const TElementoLido &pai, const TElementoXML<T> (&elementos)[N])
{
    for (const TElementoXML<T> &elemento : elementos) {
        const TElementoLido no = pai.PrimeiroFilho(elemento.nome);
        switch (elemento.codificacao) {
        case TCodificacao::Inteiro:
            objeto.*std::get<qint32 T::*>(elemento.campo) = LerInteiro(no);
            break;
        case TCodificacao::Real:
            objeto.*std::get<double T::*>(elemento.campo) = LerReal(no);
            break;
        case TCodificacao::DataHora:
            objeto.*std::get<double T::*>(elemento.campo) = LerDataHora(no);
            break;
        case TCodificacao::Logico:
            objeto.*std::get<bool T::*>(elemento.campo) = LerLogico(no);
            break;
        case TCodificacao::Texto:
            objeto.*std::get<QString T::*>(elemento.campo) = LerTexto(no);
            break;
        }
    }
}

QString TextoDoValor(qint32 valor, TCodificacao codificacao);
QString TextoDoValor(double valor, TCodificacao codificacao);
QString TextoDoValor(bool valor, TCodificacao codificacao);
QString TextoDoValor(const QString &valor, TCodificacao codificacao);

// Writes every element of the table, in table order, as children of the open element.
template<typename T, std::size_t N>
void GravarElementos(const T &objeto, TEscritaXML &escrita, const TElementoXML<T> (&elementos)[N])
{
    for (const TElementoXML<T> &elemento : elementos) {
        const QString texto = std::visit(
            [&](auto campo) { return TextoDoValor(objeto.*campo, elemento.codificacao); },
            elemento.campo);
        escrita.Elemento(elemento.nome, texto);
    }
}

// The log lines of a list's reader or writer; an empty line is left out.
struct TLinhasLista
{
    QString inicio;
    QString sucesso;
    QString erro;
};

// Raises the error of a list whose element the document lacks.
[[noreturn]] void ListaAusente(const QString &nome);

// Refills lista with one TElemento per child of pai named nomeElemento, each filled by
// ler(elemento, no) and appended. An absent pai (named nomeLista) fails. On a failure the
// elements already appended stay and the error line is logged before the error goes on.
template<typename TElemento, typename TLista, typename FLer>
void CarregarLista(TLista &lista, const TElementoLido &pai, const QString &nomeLista,
    const QString &nomeElemento, const TLinhasLista &linhas, FLer ler)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(linhas.inicio);
    try {
        lista.Limpar();
        if (pai.Nulo())
            ListaAusente(nomeLista);
        for (TElementoLido no = pai.PrimeiroFilho(nomeElemento); !no.Nulo();
             no = no.ProximoIrmao(nomeElemento)) {
            auto elemento = std::make_unique<TElemento>();
            ler(*elemento, no);
            lista.Adicionar(std::move(elemento));
        }
        log.AdicionarMensagem(linhas.sucesso);
    } catch (...) {
        log.AdicionarErro(linhas.erro);
        throw;
    }
}

// An element nomeLista holding quantidade children nomeElemento, each filled by
// gravar(indice) while it is open. Logs the lines; on a failure the error line goes before
// the error.
template<typename FGravar>
void GravarLista(TEscritaXML &escrita, const QString &nomeLista, const QString &nomeElemento,
    int quantidade, const TLinhasLista &linhas, FGravar gravar)
{
    TImpExpLogManager &log = ObterLogManager();
    log.AdicionarMensagem(linhas.inicio);
    try {
        escrita.Abrir(nomeLista);
        for (int indice = 0; indice < quantidade; ++indice) {
            escrita.Abrir(nomeElemento);
            gravar(indice);
            escrita.Fechar();
        }
        escrita.Fechar();
        if (!linhas.sucesso.isEmpty())
            log.AdicionarMensagem(linhas.sucesso);
    } catch (...) {
        log.AdicionarErro(linhas.erro);
        throw;
    }
}

// The document's step of the open road: reads a document file into documento. A file that
// does not parse leaves documento invalid, which ValidarDocumento then refuses; a file that
// cannot be read raises EFileError.
void CarregarDocumento(TDocumentoLido &documento, const QString &caminho);
// The path that names the document an open inflates: the quotation file's base name in the
// working folder (a file named just ".kvt", whose base name is empty, keeps that whole name).
// The document itself stays in memory; the path names it in the container's refusals.
QString CaminhoDoDocumento(const QString &diretorioTrabalho, const QString &nomeArquivo);
// The open road up to the document: checks and inflates the container of nomeArquivo in
// diretorio (ContainerDaCotacao) and reads the document into documento. Logs each step;
// false, with the error logged, when there is no such container. The container's refusals
// are raised.
bool AbrirArquivoCotacao(TDocumentoLido &documento, const QString &diretorio,
    const QString &nomeArquivo, const QString &diretorioTrabalho);
// Checks the "dados" root and its "cotacao" child, logging the check; answers the "cotacao"
// element or raises EVrtException "Arquivo inválido.".
TElementoLido ValidarDocumento(const TDocumentoLido &documento);

// Writes a document's bytes (TEscritaBytes) into a file, replacing it; raises EFileError when
// that fails.
void GravarDocumento(const QByteArray &bytes, const QString &caminho);
