// The built Velmorin.so announces its editor and opens it in a host's X
// window; without a display it loads, processes and answers as before, only
// effEditOpen answers 0. `velmorin edit` shows the editor of either format in
// a window of its own.
#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "audio_file.h"
#include "support/loaded_plugin.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace {

namespace fs = std::filesystem;

int openFileCount() {
    int count = 0;
    for (const auto& entry : fs::directory_iterator("/proc/self/fd")) {
        (void)entry;
        ++count;
    }
    return count;
}

void* parentId(xcb_window_t window) {
    return reinterpret_cast<void*>(static_cast<std::uintptr_t>(window));
}

void processOneBlock(Plugin& plugin) {
    std::vector<float> left(256, 0.25f), right(256, -0.25f), outLeft(256), outRight(256);
    plugin.process(left.data(), right.data(), outLeft.data(), outRight.data(), 256);
    EXPECT_TRUE(std::isfinite(outLeft[255]));
}

TEST(PluginWithoutDisplay, AnnouncesTheEditorButDoesNotOpenIt) {
    unsetenv("DISPLAY");
    Plugin plugin;
    EXPECT_EQ(plugin.effect()->flags, effFlagsHasEditor | effFlagsCanReplacing);
    const int files = openFileCount();
    const std::string threshold = plugin.display(3);
    ERect* rect = nullptr;
    EXPECT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, parentId(0x200001)), 0);
    EXPECT_EQ(plugin.dispatch(effEditIdle), 0);
    EXPECT_EQ(plugin.dispatch(effEditClose), 0);
    processOneBlock(plugin);
    EXPECT_EQ(plugin.display(3), threshold);
    EXPECT_EQ(openFileCount(), files);  // no connection, nothing else left open
}

TEST(PluginOnDisplay, OpensInTheHostWindowAndGoesWithItsEffect) {
    VirtualXServer server;
    XClient client;
    const xcb_window_t host = client.createParent(0, 0, 654, 431);
    const int files = openFileCount();
    {
        Plugin plugin;
        EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, nullptr), 0);
        ASSERT_EQ(plugin.dispatch(effEditOpen, 0, 0, parentId(host)), 1);
        for (int i = 0; i < 5; ++i) {
            plugin.dispatch(effEditIdle);
            processOneBlock(plugin);
        }
        EXPECT_TRUE(client.eventually([&] { return client.children(host).size() == 1; }));
        // The effect closes with its editor open: the window and the
        // connection go with it.
        plugin.close();
    }
    EXPECT_TRUE(client.eventually([&] { return client.children(host).empty(); }));
    EXPECT_EQ(openFileCount(), files);
}

// Starts `velmorin edit --plugin PLUGIN ARGS`, its standard error into ERRORS,
// and answers its process id.
pid_t startEdit(const std::string& plugin, const std::vector<std::string>& arguments,
                const fs::path& errors = "/dev/null") {
    std::vector<std::string> all = {VELMORIN_COMMAND_PATH, "edit", "--plugin", plugin};
    all.insert(all.end(), arguments.begin(), arguments.end());
    const pid_t pid = fork();
    if (pid == 0) {
        if (!freopen(errors.c_str(), "w", stderr)) _exit(126);
        std::vector<char*> argv;
        for (std::string& a : all) argv.push_back(a.data());
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    return pid;
}

int exitStatus(pid_t pid) {
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

std::string contents(const fs::path& file) {
    std::ifstream in(file);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Both formats' editors, in a window of the editor's size and ticked by the
// host: alone until the user closes the window, playing a file until the
// command is stopped, and at the scale asked for.
TEST(VelmorinEdit, ShowsTheEditorInItsOwnWindowUntilClosedOrStopped) {
    VirtualXServer server;
    XClient client;
    const fs::path folder =
        fs::temp_directory_path() / ("velmorin-edit-" + std::to_string(getpid()));
    fs::create_directories(folder);
    // The editor at 1.0 whatever the user's stored size or desktop scale.
    setenv("XDG_CONFIG_HOME", folder.c_str(), 1);
    unsetenv("GDK_SCALE");
    unsetenv("VELMORIN_SCALE");
    const fs::path file = folder / "loop.wav";
    const fs::path errors = folder / "errors.txt";
    velmorin::host::AudioBuffer audio;
    audio.resize(4410);
    for (std::size_t i = 0; i < audio.frames(); ++i)
        audio.left[i] = audio.right[i] = 0.5f * std::sin(0.05f * static_cast<float>(i));
    velmorin::host::writeAudioFile(file, audio, velmorin::host::SampleFormat::float32);

    const struct {
        const char* why;
        std::vector<std::string> arguments;
        bool stopped;  // else closed by the user
        std::pair<int, int> size;
    } runs[] = {
        {"alone", {}, false, {654, 431}},
        {"playing a file", {file.string(), "--program", "3"}, true, {654, 431}},
        {"at twice the size", {"--scale", "2"}, false, {1308, 862}},
    };
    for (const char* plugin : {VELMORIN_PLUGIN_PATH, VELMORIN_CLAP_PATH, VELMORIN_VST3_BUNDLE}) {
        for (const auto& run : runs) {
            SCOPED_TRACE(std::string(plugin) + " " + run.why);
            const auto [width, height] = run.size;
            const pid_t pid = startEdit(plugin, run.arguments, errors);
            // The top-level window, with the editor inside it.
            xcb_window_t top = XCB_NONE;
            std::vector<xcb_window_t> editors;
            for (int wait = 0; wait < 100 && editors.empty(); ++wait) {
                std::this_thread::sleep_for(std::chrono::milliseconds(50));
                for (xcb_window_t window : client.children(client.root())) {
                    top = window;
                    editors = client.children(window);
                }
            }
            ASSERT_EQ(editors.size(), 1u);
            EXPECT_EQ(client.size(top), run.size);
            // Made at 1.0, then drawn at its scale.
            EXPECT_TRUE(client.eventually([&] { return client.size(editors[0]) == run.size; }));
            // The host keeps the editor ticking: its wave displays scroll,
            // after the first paint as well.
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
            const auto before = client.pixels(editors[0], width, height);
            EXPECT_TRUE(client.eventually(
                [&] { return client.pixels(editors[0], width, height) != before; }));
            if (run.stopped) {
                kill(pid, SIGTERM);
            } else {
                client.askToClose(top);
            }
            EXPECT_EQ(exitStatus(pid), 0);
            EXPECT_EQ(contents(errors), "");
            EXPECT_TRUE(client.eventually([&] { return client.children(client.root()).empty(); }));
        }
    }
    fs::remove_all(folder);
}

TEST(VelmorinEdit, WithoutDisplaySaysSo) {
    unsetenv("DISPLAY");
    EXPECT_EQ(exitStatus(startEdit(VELMORIN_PLUGIN_PATH, {})), 1);
}

}  // namespace
