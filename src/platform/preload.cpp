// Worker threads that decode the preload list in order and hand results to the loaders.
#include "platform/preload.h"

#include <algorithm>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <thread>
#include <unordered_map>

#include "platform/audio.h"
#include "platform/files.h"
#include "platform/graphics.h"

namespace {

enum State { kWaiting, kDecoding, kDone, kTaken };

struct Item {
    PreloadFile file;
    State state = kWaiting;
    bool ok = false;
    Pixmap pixels;
    bool has_alpha = false;
    TSound* sound = nullptr;
};

struct Preload {
    std::mutex mutex;
    std::condition_variable done;
    std::vector<Item> items;
    size_t next = 0;  // first item no worker has claimed
    std::unordered_map<std::string, std::deque<size_t>> by_path;
    std::vector<std::thread> workers;
};

Preload g_preload;

std::string file_name(const std::string& path)
{
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

void work()
{
    Preload& p = g_preload;
    while (true) {
        PreloadFile file;
        size_t index;
        {
            std::lock_guard lock(p.mutex);
            if (p.next >= p.items.size())
                return;
            index = p.next++;
            p.items[index].state = kDecoding;
            file = p.items[index].file;
        }
        Item result;
        std::vector<uint8_t> bytes;
        if (LoadBytes(file.path, bytes)) {
            if (file.kind == PreloadKind::kPicture)
                result.ok = DecodePicture(bytes, result.pixels, result.has_alpha) && result.pixels.width > 0 &&
                            result.pixels.height > 0;
            else
                result.sound = DecodeSound(bytes, 0, file_name(file.path));
        }
        {
            std::lock_guard lock(p.mutex);
            Item& item = p.items[index];
            item.ok = result.ok;
            item.pixels = std::move(result.pixels);
            item.has_alpha = result.has_alpha;
            item.sound = result.sound;
            item.state = kDone;
        }
        p.done.notify_all();
    }
}

// Waits for the first untaken item of the path; nullptr when there is none.
Item* wait_for(const std::string& path, PreloadKind kind, std::unique_lock<std::mutex>& lock)
{
    Preload& p = g_preload;
    auto it = p.by_path.find(path);
    if (it == p.by_path.end() || it->second.empty())
        return nullptr;
    Item& item = p.items[it->second.front()];
    if (item.file.kind != kind)
        return nullptr;
    it->second.pop_front();
    p.done.wait(lock, [&] { return item.state == kDone; });
    item.state = kTaken;
    return &item;
}

}  // namespace

void BeginPreload(std::vector<PreloadFile> files)
{
    EndPreload();
    Preload& p = g_preload;
    {
        std::lock_guard lock(p.mutex);
        p.items.clear();
        p.items.reserve(files.size());
        for (PreloadFile& f : files) {
            p.by_path[f.path].push_back(p.items.size());
            Item item;
            item.file = std::move(f);
            p.items.push_back(std::move(item));
        }
        p.next = 0;
    }
    unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    unsigned workers = std::min<unsigned>(cores, 4);
    for (unsigned i = 0; i < workers && i < p.items.size(); ++i)
        p.workers.emplace_back(work);
}

void EndPreload()
{
    Preload& p = g_preload;
    {
        // Claim everything not yet started so the workers stop early.
        std::lock_guard lock(p.mutex);
        p.next = p.items.size();
    }
    for (std::thread& t : p.workers)
        t.join();
    p.workers.clear();
    std::lock_guard lock(p.mutex);
    for (Item& item : p.items) {
        if (item.state == kDone && item.sound)
            FreeSound(item.sound);
    }
    p.items.clear();
    p.by_path.clear();
    p.next = 0;
}

bool TakePreloadedPicture(const std::string& path, bool& ok, Pixmap& pixels, bool& has_alpha)
{
    std::unique_lock lock(g_preload.mutex);
    Item* item = wait_for(path, PreloadKind::kPicture, lock);
    if (!item)
        return false;
    ok = item->ok;
    pixels = std::move(item->pixels);
    has_alpha = item->has_alpha;
    return true;
}

bool TakePreloadedSound(const std::string& path, TSound*& sound)
{
    std::unique_lock lock(g_preload.mutex);
    Item* item = wait_for(path, PreloadKind::kSound, lock);
    if (!item)
        return false;
    sound = item->sound;
    item->sound = nullptr;
    return true;
}
