#pragma once

#include "OptionChoices.h"
#include "Platform.h"

#include <QDialog>

class NumberPair;
class QButtonGroup;
class QComboBox;
class QLineEdit;
class QWidget;

// The options dialog "Kestrova Saver Option". It loads the stored settings when it
// opens, edits them in its controls only, and copies the controls into the settings
// and saves them when OK passes its file checks. Cancel and closing save nothing.
//
// Every control carries its documented name as object name; the buttons of an
// option-button array are named <array>_<index>, for example optSound_1.
class frmOption : public QDialog {
    Q_OBJECT
public:
    explicit frmOption(SaverSettings& settings, QWidget* parent = nullptr);

private:
    // Construction of the three groups and the button row (frmOption.cpp).
    QWidget* BuildCharaGroup();
    QWidget* BuildSoundGroup();
    QWidget* BuildDisplayGroup();
    QLayout* BuildButtonRow();

    // Option buttons showing and hiding the sub-frames (frmOptionEvents.cpp).
    void ConnectOptionButtons();
    void ShowSubFrames();

    // Buttons opening further windows (frmOptionEvents.cpp).
    void ChooseMusicFile();
    void ChoosePlayer();
    void ChooseBackgroundFile();
    void ChoosePreset();
    void ShowVersion();

    // Settings into controls and back, through the controls' shared model
    // (frmOptionSettings.cpp).
    OptionChoices ReadChoices() const;
    void ShowChoices(const OptionChoices& choices);
    void Refresh(bool withAircraft);
    void Accept();

    SaverSettings& settings_;

    QComboBox* cmbAirPlane_ = nullptr;
    QButtonGroup* OptFormation_ = nullptr;
    QWidget* fraBlueCount_ = nullptr;
    QLineEdit* txtBlueNum_ = nullptr;
    NumberPair* blueNum_ = nullptr;
    QLineEdit* txtSpeed_ = nullptr;
    NumberPair* speed_ = nullptr;
    QLineEdit* txtStep_ = nullptr;
    NumberPair* step_ = nullptr;
    QButtonGroup* optSmoke_ = nullptr;
    QWidget* fraComplement_ = nullptr;
    QLineEdit* txtSmokeOnCount_ = nullptr;
    NumberPair* smokeOnCount_ = nullptr;
    QLineEdit* txtComplementCount_ = nullptr;
    NumberPair* complementCount_ = nullptr;

    QButtonGroup* optSound_ = nullptr;
    QWidget* fraPlaySetting_ = nullptr;
    QLineEdit* txtPlayFile_ = nullptr;
    QButtonGroup* optSoundPlayer_ = nullptr;
    QWidget* fraVolume_ = nullptr;
    QLineEdit* txtVolume_ = nullptr;
    NumberPair* volume_ = nullptr;
    QWidget* fraPlayerFile_ = nullptr;
    QLineEdit* txtPlayer_ = nullptr;

    QComboBox* cmbDisplayMode_ = nullptr;
    QButtonGroup* optBgMode_ = nullptr;
    QWidget* fraPicture_ = nullptr;
    QLineEdit* txtBackGroundFile_ = nullptr;
    QButtonGroup* optPictureSize_ = nullptr;
    QWidget* fraBgColor_ = nullptr;
    QComboBox* cmbBackGroundMode_ = nullptr;
};
