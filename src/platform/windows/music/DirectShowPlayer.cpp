#include "DirectShowPlayer.h"

#include "WideText.h"

#include <dshow.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <future>
#include <mutex>

using Microsoft::WRL::ComPtr;

// Everything of DirectShow; touched only on the graph's thread.
struct DirectShowPlayer::Graph {
    ComPtr<IGraphBuilder> Builder;
    ComPtr<IMediaControl> Control;
    ComPtr<IMediaEventEx> Events;
    ComPtr<IMediaSeeking> Seeking;
    ComPtr<IBasicAudio> Audio;
    HANDLE Ended = nullptr;  // signalled while the graph has events to collect
    long Volume = 0;

    void Release()
    {
        if (Control)
            Control->Stop();
        Audio.Reset();
        Seeking.Reset();
        Events.Reset();
        Control.Reset();
        Builder.Reset();
        Ended = nullptr;
    }

    // Rewinds and plays again each piece that has come to its end.
    void CollectEvents()
    {
        long code = 0;
        LONG_PTR first = 0, second = 0;
        while (Events && Events->GetEvent(&code, &first, &second, 0) == S_OK) {
            Events->FreeEventParams(code, first, second);
            if (code == EC_COMPLETE) {
                LONGLONG start = 0;
                Seeking->SetPositions(&start, AM_SEEKING_AbsolutePositioning, nullptr, AM_SEEKING_NoPositioning);
                Control->Run();
            }
        }
    }
};

struct DirectShowPlayer::Shared {
    Graph TheGraph;
    HANDLE Wake = CreateEventW(nullptr, FALSE, FALSE, nullptr);
    HANDLE Finished = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::mutex Mutex;
    std::deque<std::function<void(Graph&)>> Queue;
    bool Quit = false;

    ~Shared()
    {
        CloseHandle(Wake);
        CloseHandle(Finished);
    }
};

namespace {

constexpr DWORD CallLimitMs = 5000;

// By interface id: MinGW's headers do not tie every DirectShow interface to its id.
template <class Interface>
HRESULT Query(IUnknown* from, REFIID id, ComPtr<Interface>& to)
{
    return from->QueryInterface(id, reinterpret_cast<void**>(to.ReleaseAndGetAddressOf()));
}

std::string Reason(HRESULT result)
{
    std::string text = SystemMessage(DWORD(result));
    char code[16];
    std::snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(result));
    return text.empty() ? std::string(code) : text + " (" + code + ")";
}

} // namespace

DirectShowPlayer::DirectShowPlayer() : shared_(std::make_shared<Shared>()), thread_(Serve, shared_) {}

std::unique_ptr<DirectShowPlayer> DirectShowPlayer::Load(std::string* error)
{
    std::unique_ptr<DirectShowPlayer> player(new DirectShowPlayer);
    auto made = std::make_shared<HRESULT>(E_FAIL);
    const bool answered = player->Call([made](Graph& graph) {
        *made = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph.Builder));
        graph.Builder.Reset();
    });
    if (!answered || FAILED(*made)) {
        *error = answered ? "no DirectShow filter graph: " + Reason(*made) : "DirectShow does not answer";
        return nullptr;
    }
    return player;
}

DirectShowPlayer::~DirectShowPlayer()
{
    Call([](Graph& graph) { graph.Release(); });
    {
        std::lock_guard lock(shared_->Mutex);
        shared_->Quit = true;
    }
    SetEvent(shared_->Wake);
    // A thread stuck in a decoder is left behind rather than waited for; it ends with
    // the process.
    if (WaitForSingleObject(shared_->Finished, CallLimitMs) == WAIT_OBJECT_0)
        thread_.join();
    else
        thread_.detach();
}

void DirectShowPlayer::SetVolume(int32_t volume)
{
    const long level = std::clamp<long>(volume, -10000, 0);
    Call([level](Graph& graph) {
        graph.Volume = level;
        if (graph.Audio)
            graph.Audio->put_Volume(level);
    });
}

void DirectShowPlayer::SetFileName(const std::string& path)
{
    Call([path](Graph& graph) {
        graph.Release();
        HRESULT result = CoCreateInstance(CLSID_FilterGraph, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&graph.Builder));
        if (SUCCEEDED(result))
            result = graph.Builder->RenderFile(WideOfUtf8(path).c_str(), nullptr);
        if (SUCCEEDED(result))
            result = Query(graph.Builder.Get(), IID_IMediaControl, graph.Control);
        if (SUCCEEDED(result))
            result = Query(graph.Builder.Get(), IID_IMediaEventEx, graph.Events);
        if (SUCCEEDED(result))
            result = Query(graph.Builder.Get(), IID_IMediaSeeking, graph.Seeking);
        OAEVENT ended = 0;
        if (SUCCEEDED(result))
            result = graph.Events->GetEventHandle(&ended);
        if (FAILED(result)) {
            std::fprintf(stderr, "kestrova-saver: the media player cannot play %s: %s\n", path.c_str(),
                         Reason(result).c_str());
            graph.Release();
            return;
        }
        graph.Ended = reinterpret_cast<HANDLE>(ended);
        // A file without sound has no audio to set.
        if (SUCCEEDED(Query(graph.Builder.Get(), IID_IBasicAudio, graph.Audio)))
            graph.Audio->put_Volume(graph.Volume);
        if (FAILED(result = graph.Control->Run()))
            std::fprintf(stderr, "kestrova-saver: the media player cannot play %s: %s\n", path.c_str(),
                         Reason(result).c_str());
    });
}

void DirectShowPlayer::Stop()
{
    Call([](Graph& graph) {
        if (graph.Control)
            graph.Control->Stop();
    });
}

bool DirectShowPlayer::Call(std::function<void(Graph&)> operation)
{
    auto done = std::make_shared<std::promise<void>>();
    std::future<void> finished = done->get_future();
    {
        std::lock_guard lock(shared_->Mutex);
        shared_->Queue.push_back([operation = std::move(operation), done](Graph& graph) {
            operation(graph);
            done->set_value();
        });
    }
    SetEvent(shared_->Wake);
    return finished.wait_for(std::chrono::milliseconds(CallLimitMs)) == std::future_status::ready;
}

void DirectShowPlayer::Serve(const std::shared_ptr<Shared>& shared)
{
    CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    Graph& graph = shared->TheGraph;
    for (;;) {
        const HANDLE handles[] = {shared->Wake, graph.Ended};
        const DWORD woken = WaitForMultipleObjects(graph.Ended ? 2 : 1, handles, FALSE, INFINITE);
        if (woken == WAIT_OBJECT_0 + 1) {
            graph.CollectEvents();
            continue;
        }
        for (;;) {
            std::function<void(Graph&)> operation;
            {
                std::lock_guard lock(shared->Mutex);
                if (shared->Queue.empty()) {
                    if (shared->Quit) {
                        graph.Release();
                        CoUninitialize();
                        SetEvent(shared->Finished);
                        return;
                    }
                    break;
                }
                operation = std::move(shared->Queue.front());
                shared->Queue.pop_front();
            }
            operation(graph);
        }
    }
}
