#include <benchmark/benchmark.h>

#include <memory>

#include "players/exact_search.h"
#include "search/tree.h"

namespace nanaren {
namespace {

// Refills the whole free stack and allocates a fresh root.
void BM_TreeReset(benchmark::State& state) {
    const auto tree = std::make_unique<Tree>();
    for (auto _ : state) {
        tree->Reset();
        benchmark::DoNotOptimize(tree->Root());
    }
}
BENCHMARK(BM_TreeReset);

// The exact player's Select at a root with a child per playing point, their
// statistics spread as after a few thousand iterations.
void BM_SelectOver81Children(benchmark::State& state) {
    const auto workspace = std::make_unique<SearchWorkspace>();
    ExactSearch search(*workspace);
    Tree* tree = &workspace->GetTree();
    tree->Reset();
    const std::int32_t root = tree->Root();
    std::int32_t child = NoNode;
    float rootVisits = 0.0f;
    for (int i = 0; i < 81; ++i) {
        const auto move = static_cast<std::int16_t>(12 + i);
        child = i == 0 ? tree->AddChild(root, move) : tree->AddSibling(child, move);
        Node& n = tree->At(child);
        n.visits = static_cast<float>(1 + (i * 37) % 90);
        n.value = static_cast<float>((i * 13) % 100) / 100.0f;
        n.amafVisits = static_cast<float>(1 + (i * 53) % 400);
        n.amafValue = static_cast<float>((i * 29) % 100) / 100.0f;
        rootVisits += n.visits;
    }
    tree->At(root).visits = rootVisits;
    for (auto _ : state) {
        tree->BeginPath();
        benchmark::DoNotOptimize(search.Select(root));
    }
}
BENCHMARK(BM_SelectOver81Children);

}  // namespace
}  // namespace nanaren
