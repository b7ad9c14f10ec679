#include "platform/preload.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/audio.h"
#include "platform/graphics.h"
#include "platform/headless/headless_backend.h"
#include "support/sound_files.h"
#include "support/temp_dir.h"

namespace {

Pixmap filled(int w, int h, uint8_t value)
{
    Pixmap p;
    p.width = w;
    p.height = h;
    p.rgba.assign(static_cast<size_t>(w) * h * 4, value);
    return p;
}

}  // namespace

TEST(Preload, LoadsTakeDecodedFilesAndKeepTheirOrderDependentSettings)
{
    UseHeadlessPlatform();
    UseAudioDriver(CreateSilentAudioDriver());
    TempDir dir;
    std::filesystem::create_directories(dir.path() + "/media");
    ASSERT_TRUE(SavePng(dir.path() + "/media/a.png", filled(20, 10, 50)));
    ASSERT_TRUE(SavePng(dir.path() + "/media/b.png", filled(8, 4, 90)));
    ASSERT_TRUE(SavePng(dir.path() + "/media/late.png", filled(6, 6, 10)));
    dir.write("media/broken.png", "\x89PNG broken");
    dir.write("sounds/s.ogg", make_ogg(1, 22050, 0.2));

    BeginPreload({{".\\media\\a.png", PreloadKind::kPicture},
                  {".\\media\\b.png", PreloadKind::kPicture},
                  {".\\media\\a.png", PreloadKind::kPicture},
                  {".\\sounds\\s.ogg", PreloadKind::kSound},
                  {".\\media\\broken.png", PreloadKind::kPicture},
                  {".\\media\\gone.png", PreloadKind::kPicture},
                  {".\\media\\unused.png", PreloadKind::kPicture},
                  {".\\sounds\\s.ogg", PreloadKind::kSound}});  // never taken: dropped at the end
    AutoMidHandle(1);
    TImage* a = LoadImage(".\\media\\a.png", 2);
    AutoMidHandle(0);
    TImage* b = LoadAnimImage(".\\media\\b.png", 4, 4, 0, 2, -1);
    TImage* a2 = LoadImage(".\\media\\a.png", 0);
    TSound* s = LoadSound(".\\sounds\\s.ogg", kLoopingSound);
    TImage* late = LoadImage(".\\media\\late.png", 2);  // not in the list: read directly
    ASSERT_NE(a, nullptr);
    ASSERT_NE(b, nullptr);
    ASSERT_NE(a2, nullptr);
    ASSERT_NE(s, nullptr);
    ASSERT_NE(late, nullptr);
    EXPECT_EQ(a->handle_x, 10);
    EXPECT_EQ(a2->handle_x, 0);
    EXPECT_EQ(a->flags, 2);
    EXPECT_EQ(a2->flags, 0);
    EXPECT_EQ(a->pixmaps[0].rgba[0], 50);
    EXPECT_EQ(b->pixmaps.size(), 2u);
    EXPECT_EQ(b->flags, kMaskedImage | kFilteredImage);
    EXPECT_TRUE(s->looping());
    EXPECT_EQ(s->source, "s.ogg");
    EXPECT_EQ(s->frames, 4410);
    EXPECT_EQ(LoadImage(".\\media\\broken.png", 2), nullptr);
    EXPECT_EQ(LoadImage(".\\media\\gone.png", 2), nullptr);
    EndPreload();
    // Once ended, loads read the files again.
    TImage* again = LoadImage(".\\media\\a.png", 2);
    EXPECT_NE(again, nullptr);
    for (TImage* i : {a, b, a2, late, again})
        FreeImage(i);
    FreeSound(s);
    CloseAudio();
}
