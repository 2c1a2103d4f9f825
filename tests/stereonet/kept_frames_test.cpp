// Frames written again from the records kept for their places: seeded
// random runs of nets, page after page, with the settings changed between
// pages, drawn once with every frame drawn anew and once with the kept
// records, must write the same files byte for byte, say the same on the
// console and leave the same plot state.

#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <cstring>
#include <functional>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "geometry/angles.hpp"
#include "plot/device.hpp"
#include "plot/draw.hpp"
#include "stereonet/axis_symbols.hpp"
#include "stereonet/diagram_nets.hpp"
#include "stereonet/frame.hpp"
#include "stereonet/great_circles.hpp"
#include "stereonet/kept_frames.hpp"
#include "stereonet/principal_axes.hpp"
#include "stereonet/projections.hpp"
#include "support/draw_fixture.hpp"

namespace dorvix::testing {
namespace {

// What a run leaves: its files, its console and the plot state.
struct Outcome {
  std::vector<std::string> files, screen;
  std::string state;
};

template <class T>
void add_bytes(std::string& to, const T& v) {
  to.append(reinterpret_cast<const char*>(&v), sizeof v);
}

class KeptFrames : public DrawTest {
 protected:
  void TearDown() override {
    keep_frames(true);
    DrawTest::TearDown();
  }

  // The plot records as a run starts them, frames kept or not.
  static void fresh_plot_state(bool keep) {
    psparams = PsParams{};
    plt1blk = Plt1Blk{};
    plt2blk = Plt2Blk{};
    ptblock = PtBlock{};
    set_path_move_pending(false);
    keep_frames(keep);
    default_colour_table();
  }

  static std::string name(bool keep, unsigned seed, int file) {
    return std::string(keep ? "kept" : "anew") + std::to_string(seed) + "_" + std::to_string(file) + ".ps";
  }

  // One run of the seed's nets and changes; `keep` chooses the route.
  Outcome run(unsigned seed, bool keep) {
    screen();
    type_raw(std::string(500, '\n'));  // the Returns of the warnings' pauses
    std::mt19937 rng(seed);
    const auto pick = [&](int n) { return static_cast<int>(rng() % static_cast<unsigned>(n)); };
    fresh_plot_state(keep);
    Outcome out;
    int files = 0;
    const auto open_next = [&](int dialect) {
      open_plot(dialect, std::array<const char*, 3>{"P  ", "LA4", "LUS"}[pick(3)], 1,
                name(keep, seed, ++files));
    };
    open_next(1 + pick(3));
    int iproj = 1 + pick(4);
    sspro(iproj, setup::passed);
    srepstereo0(setup::initialise);
    int npts = 40;
    sdspgc(npts, setup::passed);
    NetLayout layout;
    int isub = 3;

    bool open_path = false;
    int frame_changes = 0;
    // One change of the settings (or, kind 14, a path left open before the
    // next nets), through the setters.
    const auto set = [](auto setter, auto value) { setter(value, setup::passed); };
    const auto change = [&](int kind) {
      switch (kind) {
        case 0: set(slinecolor, pick(13)); break;
        case 1: set(stextcolor, pick(13)); break;
        case 2: set(sfillcolor, pick(13)); break;
        case 3: {
          int index = pick(13);
          std::string name = "Mixed   ";
          real r = real(pick(101)), g = real(pick(101)), b = real(pick(101));
          scolorrgb(index, name, r, g, b, setup::passed);
          break;
        }
        case 4: set(scolornb, plt2blk.ncolor == 1 ? 12 : 1); break;
        case 5: set(stextsize, 0.2f + 0.1f * real(pick(5))); break;
        case 6: set(stextfont, 1 + pick(16)); break;
        case 7: set(slinewidth, 0.01f * real(2 + pick(4))); break;
        case 8: layout.xcm0 = 3.0f + 0.5f * real(pick(3)); break;
        case 9: layout.xx = layout.yy = 1.0f + 0.25f * real(pick(3)); break;
        case 10:
          // The frame's settings in turn; a circle of one point, kept for
          // two pages, warns at every frame.
          switch (frame_changes++ % 5) {
            case 0: set(srepstereonp, stefram2.nptfram == 200 ? 1 : stefram2.nptfram == 1 ? 120 : 200); break;
            case 1: break;
            case 2: stefram2.ldrawtic = !stefram2.ldrawtic; break;
            case 3: stefram2.ldrawax = !stefram2.ldrawax; break;
            default: {
              std::string text = pick(2) == 0 ? "Nord" : "Up right";
              int idraw = 1, ilabel = 1 + pick(6);
              srepstereolabel1(text, idraw, ilabel, setup::passed);
            }
          }
          break;
        case 11:
          iproj = iproj % 4 + 1;
          sspro(iproj, setup::passed);
          break;
        case 12:
          close_plot();
          out.files.push_back(read_file(path(plot_name_)));
          open_next(pick(2) == 0 ? psparams.ipstype : 1 + pick(3));
          break;
        case 13:
          set(stextangle, real(pick(2) * 30));
          set(stextalign, std::array<int, 4>{-1, -6, 3, 10}[pick(4)]);
          break;
        case 14: open_path = true; break;
        default: isub = isub == 3 ? 2 : 3;
      }
    };

    // Each seed changes one kind of setting before most pages, and now
    // and then another.
    const int pages = 3 + pick(3);
    for (int page = 0; page < pages; ++page) {
      if (page > 0) {
        intnewpage();
        if (pick(3) != 0) change(static_cast<int>(seed % 16));
        if (pick(4) == 0) change(pick(16));
      }
      ssubplot(isub, setup::passed);
      if (open_path) {
        usplot(0.0f, 0.0f, 0);
        usplot(0.5f, 0.5f, 1);
        open_path = false;
      }
      const int nets = pick(2) == 0 ? nets_per_page : 1 + pick(nets_per_page);
      for (int k = 0; k < nets; ++k) {
        MechanismPlanes planes;
        const real strike = rad(real(pick(360))), dip = rad(real(5 + pick(85))), rake = rad(real(pick(360) - 180));
        planes.strike = {strike, strike};
        planes.dip = {dip, dip};
        planes.rake = {rake, rake};
        draw_net(layout, k, planes, "net " + std::to_string(k + 1), default_axis_symbols, fsadr2steff);
      }
    }
    close_plot();
    out.files.push_back(read_file(path(plot_name_)));
    out.screen = screen_lines();
    add_bytes(out.state, plt2blk);
    add_bytes(out.state, std::array<int, 4>{psparams.ipspath, psparams.ipsfont, psparams.ipspage,
                                            path_move_pending() ? 1 : 0});
    add_bytes(out.state, std::array<real, 7>{psparams.txtsize, ptblock.pt, ptblock.pti, ptblock.ptf, ptblock.ptd,
                                             ptblock.rnp, ptblock.rnseg});
    add_bytes(out.state, std::array<int, 2>{ptblock.np, ptblock.ipt});
    return out;
  }
};

TEST_F(KeptFrames, WriteWhatDrawingAnewWrites) {
  for (unsigned seed = 1; seed <= 32; ++seed) {
    const Outcome anew = run(seed, false);
    const Outcome kept = run(seed, true);
    ASSERT_EQ(anew.files.size(), kept.files.size()) << "seed " << seed;
    for (std::size_t f = 0; f < anew.files.size(); ++f) {
      EXPECT_TRUE(anew.files[f] == kept.files[f]) << "seed " << seed << ", file " << f + 1;
    }
    EXPECT_EQ(anew.screen, kept.screen) << "seed " << seed;
    EXPECT_TRUE(anew.state == kept.state) << "seed " << seed;
    // The kept route's files are those of the other, which Ghostscript
    // renders at the end.
    for (int f = 1; f <= static_cast<int>(kept.files.size()); ++f) std::remove(path(name(true, seed, f)).c_str());
  }
}

// Each piece of the plot state that shapes a frame, changed after the
// records of the frame at a place were kept: the frame is drawn anew.
TEST_F(KeptFrames, AChangeOfAnyPieceOfThePlotStateDrawsTheFrameAnew) {
  // The subplot the nets are drawn in and the size of a net's frame.
  struct Net {
    int isub = 3;
    real scale = 1.5f;
  };
  const auto set = [](auto setter, auto value) { setter(value, setup::passed); };
  const real nan = std::numeric_limits<real>::quiet_NaN();
  struct Piece {
    const char* name;
    std::function<void(Net&)> change;
  };
  const Piece pieces[] = {
      {"line colour", [&](Net&) { set(slinecolor, 3); }},
      {"text colour", [&](Net&) { set(stextcolor, 2); }},
      {"fill colour", [&](Net&) { set(sfillcolor, 3); }},
      {"fill style", [&](Net&) { set(sfillstyle, 0); }},
      {"an entry of the colour table",
       [](Net&) {
         int index = 1;
         std::string name = "Dark    ";
         real r = 10, g = 10, b = 10;
         scolorrgb(index, name, r, g, b, setup::passed);
       }},
      {"number of colours (colour plotting off)", [&](Net&) { set(scolornb, 1); }},
      {"line width", [&](Net&) { set(slinewidth, 0.05f); }},
      {"text height", [&](Net&) { set(stextsize, 0.3f); }},
      {"text font", [&](Net&) { set(stextfont, 5); }},
      {"text angle", [&](Net&) { set(stextangle, 30.0f); }},
      {"text justification", [&](Net&) { set(stextalign, 3); }},
      {"symbol size", [&](Net&) { set(ssymbolsize, 0.7f); }},
      {"symbol type", [&](Net&) { set(ssymboltype, 5); }},
      {"colour last written", [](Net&) { psrgbcolor(2); }},
      {"a path left open",
       [](Net&) {
         usplot(0.0f, 0.0f, 0);
         usplot(0.5f, 0.5f, 1);
       }},
      {"a move pending after a point without a value",
       [nan](Net&) {
         const real x[] = {0.0f, nan}, y[] = {0.0f, 0.0f};
         usline(x, y, 2);
       }},
      {"running point", [&](Net&) { set(scptnp, 17); }},
      {"current subplot", [](Net& n) { n.isub = 4; }},
      {"frame of the subplot", [](Net& n) { n.scale = 2.0f; }},
      {"another plot file",
       [this](Net&) {
         close_plot();
         open_plot(1, "P  ", 1, "other.ps");
       }},
      {"dialect",
       [this](Net&) {
         close_plot();
         open_plot(2, "P  ", 1, "news.ps");
       }},
      {"page orientation",
       [this](Net&) {
         close_plot();
         open_plot(1, "LA4", 1, "landscape.ps");
       }},
  };
  for (const Piece& piece : pieces) {
    fresh_plot_state(true);
    open_plot(1, "P  ", 1, "nets.ps");
    int iproj = 4;
    sspro(iproj, setup::passed);
    srepstereo0(setup::initialise);
    Net net;
    // The frame of the net at place 0 made current, as each net's drawing
    // begins; then the frame and a great circle.
    const auto place = [&net] {
      ssubplot(net.isub, setup::passed);
      real x0 = 4.0f, y0 = 4.0f, xx = net.scale, xy = 0.0f, yx = 0.0f, yy = net.scale;
      sus2cm1(x0, y0, xx, xy, yx, yy, setup::passed);
    };
    const real strike[] = {0.5f}, dip[] = {1.0f};
    for (int k = 0; k < 2; ++k) {  // the second keeps the records of a state that then recurs
      place();
      repstereo_at(0);
      dspgcfadn(strike, dip, 1);
    }
    place();
    ASSERT_TRUE(frame_kept(0)) << piece.name;
    piece.change(net);
    place();
    EXPECT_FALSE(frame_kept(0)) << piece.name;
    close_plot();
  }
}

}  // namespace
}  // namespace dorvix::testing
