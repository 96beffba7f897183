package hello;

// The program the Maven example builds: a jar, then launchers and a
// bundle made from that jar by caskit.
public final class Main {
    public static void main(String[] args) {
        System.out.println("Hello from a Maven build!");
        System.out.println("arguments: " + String.join(" | ", args));
        System.out.println("java.home: " + System.getProperty("java.home"));
    }
}
