#pragma once

#include <QDialog>

namespace lvx {

// The about box: the program's name and version.
class frmAbout final : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);
};

} // namespace lvx
