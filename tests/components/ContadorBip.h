#pragma once

#include "components/uBip.h"

// Counts the beeps sounded while it lives, in place of the system beep.
class ContadorBip
{
public:
    ContadorBip()
        : m_anterior(InstalarBip([this] { ++m_bips; }))
    { }
    ~ContadorBip() { InstalarBip(std::move(m_anterior)); }
    ContadorBip(const ContadorBip &) = delete;
    ContadorBip &operator=(const ContadorBip &) = delete;

    int Bips() const { return m_bips; }

private:
    int m_bips = 0;
    TBip m_anterior;
};
