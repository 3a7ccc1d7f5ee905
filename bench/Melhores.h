#pragma once

#include <algorithm>
#include <benchmark/benchmark.h>
#include <map>
#include <string>
#include <vector>

// Keeps the fastest repetition of each benchmark, in processor time (steadier than the
// wall clock on a shared machine) and in wall time.
class Melhores : public benchmark::ConsoleReporter
{
public:
    struct Tempos
    {
        double cpu = 0;
        double real = 0;
    };

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            if (run.run_type != Run::RT_Iteration || run.error_occurred)
                continue;
            const Tempos tempos {run.cpu_accumulated_time / double(run.iterations),
                run.real_accumulated_time / double(run.iterations)};
            auto [it, novo] = m_tempos.emplace(run.run_name.function_name, tempos);
            if (!novo) {
                it->second.cpu = std::min(it->second.cpu, tempos.cpu);
                it->second.real = std::min(it->second.real, tempos.real);
            }
        }
    }

    Tempos De(const std::string &nome) const
    {
        const auto it = m_tempos.find(nome);
        return it == m_tempos.end() ? Tempos {} : it->second;
    }

private:
    std::map<std::string, Tempos> m_tempos;
};

// Runs the registered benchmarks with their repetitions interleaved, so that a busy machine
// slows them alike, and keeps the fastest of each.
inline void ExecutarIntercalados(int argc, char **argv, Melhores &melhores)
{
    std::vector<char *> argumentos(argv, argv + argc);
    char intercalar[] = "--benchmark_enable_random_interleaving=true";
    argumentos.insert(argumentos.begin() + 1, intercalar);
    int quantidade = int(argumentos.size());
    benchmark::Initialize(&quantidade, argumentos.data());
    benchmark::RunSpecifiedBenchmarks(&melhores);
    benchmark::Shutdown();
}
