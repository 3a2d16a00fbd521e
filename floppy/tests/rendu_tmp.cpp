#include "floppy/ui/feuille1.hpp"
#include "about/standard/frmabout.hpp"
#include "common/testing/fakes.hpp"
#include <QApplication>
#include <QPushButton>
#include <gtest/gtest.h>
TEST(Rendu, Png)
{
    velmaro::testing::FakeServices f;
    merlidan::Feuille1 w(f);
    w.show();
    QApplication::processEvents();
    w.grab().save("/tmp/merlidan_feuille1.png");
    w.grab().scaled(w.size()*3).save("/tmp/merlidan_feuille1_x3.png");
    auto* a = about::montrerFrmAbout(&w, about::ProgrammeStandard::Merlidan, f);
    QApplication::processEvents();
    a->grab().save("/tmp/merlidan_about.png");
    auto* s = about::montrerFrmAbout(nullptr, about::ProgrammeStandard::Somnelle, f);
    QApplication::processEvents();
    s->grab().save("/tmp/somnelle_about.png");
}
