#pragma once

#include <QString>

class QMimeData;

// The quotation file among what is dropped on the window: the first local file whose name ends
// in ".kvt", in any letter case; empty when there is none.
QString ArquivoCotacaoSolto(const QMimeData *dados);
