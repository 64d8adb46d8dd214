// chooser-screenshot FILE: shows the port chooser in the session's language
// (LANG) as an operator with a USB adapter would see it after a test that the
// drive answered, and writes it to FILE, for a person to look at.
#include "chooser/ChooserTranslation.h"
#include "chooser/DoctorReport.h"
#include "chooser/PortChooser.h"
#include "console/Application.h"
#include "ui_PortChooser.h"

#include <QApplication>
#include <QTranslator>

#include <cstdio>

namespace {

constexpr char kById[] = "/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0";

constexpr char kAnswered[] = R"({"device":"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A1B2C3-if00-port0","steps":[
    {"passed":true,"text":"/dev/ttyUSB0 exists"},
    {"passed":true,"text":"this user may read and write it"},
    {"passed":true,"text":"opened for exclusive use at 9600 8N1 with RTS/CTS and XON/XOFF"},
    {"passed":true,"text":"no other program has it open"},
    {"passed":true,"text":"CTS is high: the drive lets us send"},
    {"passed":true,"text":"the drive answered the status query: status 0: servo off, no alarm"}],
  "verdict":"answered","finding":"status 0: servo off, no alarm","remedy":"","exitStatus":0})";

std::vector<vk::SerialDevice> desktopDevices()
{
    vk::SerialDevice uart;
    uart.path = "/dev/ttyS0";
    uart.exists = uart.characterDevice = uart.mayOpen = true;
    vk::SerialDevice usb = uart;
    usb.path = "/dev/ttyUSB0";
    usb.stableNames = {kById};
    usb.maker = "FTDI";
    usb.product = "FT232R USB UART";
    vk::SerialDevice modem = uart;
    modem.path = "/dev/ttyACM0";
    modem.maker = "Arduino (www.arduino.cc)";
    modem.product = "0043";
    modem.mayOpen = false;
    modem.group = "dialout";
    modem.holders = {{2417, "ModemManager"}};
    return {uart, modem, usb};
}

}  // namespace

int main(int argc, char* argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: chooser-screenshot FILE\n");
        return 2;
    }
    QApplication application(argc, argv);
    vk::setUpApplication();
    QTranslator translator;
    if (vk::loadChooserTranslation(translator))
        QCoreApplication::installTranslator(&translator);
    vk::PortChooser chooser(desktopDevices);
    chooser.ui().deviceList->setCurrentItem(chooser.ui().deviceList->topLevelItem(2));
    chooser.showDoctorReport(*vk::parseDoctorReport(kAnswered));
    chooser.show();
    QApplication::processEvents();
    if (!chooser.grab().save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    std::printf("%s\n", argv[1]);
    return 0;
}
