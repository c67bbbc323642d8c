// The X desktop's scale: the Xft.dpi resource, else GDK_SCALE, else 1.0,
// read from the text and from a private server's resource database.
#include "platform/x11/system_scale.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <utility>

#include "platform/x11/x11_connection.h"
#include "x11/virtual_x_server.h"
#include "x11/x_client.h"

namespace platform::x11 {
namespace {

struct Case {
    const char* why;
    const char* database;
    const char* gdkScale;  // null: unset
    double factor;
};

TEST(SystemScale, XftDpiThenGdkScaleThenOne) {
    const Case cases[] = {
        {"96 dots per inch is 1.0", "Xft.dpi:\t96\n", "2", 1.0},
        {"192 dots per inch is 2.0", "Xft.dpi:\t192\n", nullptr, 2.0},
        {"a fractional dpi", "Xft.dpi: 144.0", nullptr, 1.5},
        {"among other resources", "Xft.antialias:\t1\nXft.dpi:\t120\nXft.hinting:\t1\n", nullptr,
         1.25},
        {"the last line merged wins", "Xft.dpi:\t96\nXft.dpi:\t288\n", nullptr, 3.0},
        {"spaces around name and value", "  Xft.dpi  :  168  \n", nullptr, 1.75},
        {"without a dpi, GDK_SCALE", "Xft.antialias:\t1\n", "2", 2.0},
        {"an empty database, GDK_SCALE", "", "3", 3.0},
        {"a dpi that is not a number, GDK_SCALE", "Xft.dpi:\tlarge\n", "2", 2.0},
        {"a zero dpi, GDK_SCALE", "Xft.dpi:\t0\n", "2", 2.0},
        {"a negative dpi, 1.0", "Xft.dpi:\t-192\n", nullptr, 1.0},
        {"a dpi with trailing text, 1.0", "Xft.dpi:\t192dpi\n", nullptr, 1.0},
        {"an empty dpi, 1.0", "Xft.dpi:\n", nullptr, 1.0},
        {"an infinite dpi, 1.0", "Xft.dpi:\tinf\n", nullptr, 1.0},
        {"another resource's dpi is not the desktop's", "Xterm.dpi:\t192\n", nullptr, 1.0},
        {"a line without a colon", "Xft.dpi 192\n", nullptr, 1.0},
        {"GDK_SCALE that is not a number, 1.0", "", "two", 1.0},
        {"GDK_SCALE of zero, 1.0", "", "0", 1.0},
        {"an empty GDK_SCALE, 1.0", "", "", 1.0},
        {"nothing at all, 1.0", "", nullptr, 1.0},
    };
    for (const Case& c : cases)
        EXPECT_DOUBLE_EQ(systemScaleFactor(c.database, c.gdkScale), c.factor) << c.why;
}

TEST(SystemScale, ReadFromTheServersResourceDatabase) {
    VirtualXServer server;
    ASSERT_TRUE(server.running());
    ::unsetenv("GDK_SCALE");
    XClient client;
    ASSERT_TRUE(client.connected());

    auto connection = Connection::open();
    ASSERT_TRUE(connection);
    EXPECT_EQ(connection->resourceDatabase(), "");
    EXPECT_DOUBLE_EQ(systemScaleFactor(*connection), 1.0);

    client.loadResources("Xft.antialias:\t1\nXft.dpi:\t192\n");
    EXPECT_EQ(connection->resourceDatabase(), "Xft.antialias:\t1\nXft.dpi:\t192\n");
    EXPECT_DOUBLE_EQ(systemScaleFactor(*connection), 2.0);
    // The process's own factor stands for the desktop's, when it is one.
    for (const auto& [own, factor] :
         {std::pair{"1.5", 1.5}, {"2.5 ", 2.5}, {"big", 2.0}, {"0", 2.0}}) {
        ::setenv("VELMORIN_SCALE", own, 1);
        EXPECT_DOUBLE_EQ(systemScaleFactor(*connection), factor) << own;
    }
    ::unsetenv("VELMORIN_SCALE");

    server.kill();
    EXPECT_EQ(connection->resourceDatabase(), "");
}

}  // namespace
}  // namespace platform::x11
