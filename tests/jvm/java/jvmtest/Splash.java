package jvmtest;

import java.awt.Color;
import java.awt.Frame;
import java.awt.Graphics2D;
import java.awt.SplashScreen;
import java.io.BufferedReader;
import java.io.InputStreamReader;

// The splash screen a launcher showed: "main" before any AWT class is
// touched; after a line on standard input, "window" writes whether the
// program finds the screen and its size, draws a blue square at its
// corner, and after another line opens a frame and writes whether the
// splash is gone; "wait" writes after 3 s whether the screen is there.
public final class Splash {
    public static void main(String[] args) throws Exception {
        BufferedReader in = new BufferedReader(new InputStreamReader(System.in));
        System.out.println("main");
        in.readLine();
        if (args[0].equals("wait")) {
            Thread.sleep(3000);
            SplashScreen splash = SplashScreen.getSplashScreen();
            System.out.println("after 3 s: " + (splash != null && splash.isVisible() ? "open" : "closed"));
            return;
        }
        SplashScreen splash = SplashScreen.getSplashScreen();
        if (splash == null) {
            System.out.println("no splash");
            return;
        }
        Graphics2D g = splash.createGraphics();
        g.setColor(Color.BLUE);
        g.fillRect(0, 0, 16, 16);
        splash.update();
        System.out.println("splash " + splash.getSize().width + "x" + splash.getSize().height);
        in.readLine();
        Frame frame = new Frame("app");
        frame.setSize(60, 60);
        frame.setVisible(true);
        System.out.println("after the window: " + (SplashScreen.getSplashScreen() == null ? "closed" : "open"));
        frame.dispose();
    }
}
